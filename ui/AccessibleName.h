#pragma once
// What a screen reader says for a field: the label beside it, tied to it as its buddy (a label
// that names no field is only read as text). A field without a label of its own is given a name.
class QLabel;
class QString;
class QWidget;

// The label names the field; it must be the field's sibling, where the accessibility tree finds it.
void NameField(QLabel *label, QWidget *field);
// A field no label stands beside (a list, a memo) is named directly.
void NameField(QWidget *field, const QString &name);
