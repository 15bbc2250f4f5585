#pragma once
// What a screen reader says for a field: the label beside it, tied to it as its buddy (a label
// that names no field is only read as text). A field without a label of its own is given a name.
class QLabel;
class QString;
class QWidget;

// The label names the field: as its buddy where it is the field's sibling (where the accessibility
// tree looks), else by its text; a drop-down list's open list gets the text too.
void NameField(QLabel *label, QWidget *field);
// A field no label stands beside (a list, a memo) is named directly.
void NameField(QWidget *field, const QString &name);
