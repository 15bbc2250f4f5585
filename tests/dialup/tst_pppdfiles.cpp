// Reading pppd's options files and chat scripts: words, numbers, devices, leftover files.
#include "dialup/PppdFiles.h"

#include <QTest>

namespace {
QStringList toList(const std::vector<std::string> &words)
{
    QStringList list;
    for (const std::string &w : words) list << QString::fromStdString(w);
    return list;
}

std::vector<std::string> fromList(const QStringList &list)
{
    std::vector<std::string> words;
    for (const QString &w : list) words.push_back(w.toStdString());
    return words;
}
}

class TestPppdFiles : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void optionWords_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QStringList>("words");
        QTest::newRow("plain") << QByteArray("noauth /dev/ttyS0 115200\n")
                               << QStringList{"noauth", "/dev/ttyS0", "115200"};
        QTest::newRow("comment") << QByteArray("# provider\nlock # keep it\ndefaultroute")
                                 << QStringList{"lock", "defaultroute"};
        QTest::newRow("double quotes keep single ones")
            << QByteArray("connect \"/usr/sbin/chat -v '' ATDT0192658 CONNECT\"")
            << QStringList{"connect", "/usr/sbin/chat -v '' ATDT0192658 CONNECT"};
        QTest::newRow("single quotes") << QByteArray("user 'my name'") << QStringList{"user", "my name"};
        QTest::newRow("escaped quote and blank") << QByteArray("a\\\"b c\\ d") << QStringList{"a\"b", "c d"};
        QTest::newRow("hash inside a word") << QByteArray("connect ATDT*99#") << QStringList{"connect", "ATDT*99#"};
        QTest::newRow("empty quoted word") << QByteArray("x \"\" y") << QStringList{"x", "", "y"};
        QTest::newRow("unterminated quote") << QByteArray("connect \"chat ATD1") << QStringList{"connect", "chat ATD1"};
    }
    void optionWords()
    {
        QFETCH(QByteArray, text);
        QFETCH(QStringList, words);
        QCOMPARE(toList(SplitOptionWords(text.toStdString())), words);
    }

    void shellWords_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QStringList>("words");
        QTest::newRow("chat inline") << "/usr/sbin/chat -v '' ATZ OK ATDT0192658"
                                     << QStringList{"/usr/sbin/chat", "-v", "", "ATZ", "OK", "ATDT0192658"};
        QTest::newRow("double quoted") << "chat \"\" \"ATDP 01 92\"" << QStringList{"chat", "", "ATDP 01 92"};
        QTest::newRow("backslash kept in double quotes") << "chat \"ATDT\\T\"" << QStringList{"chat", "ATDT\\T"};
        QTest::newRow("backslash outside quotes") << "chat ATD\\ 1" << QStringList{"chat", "ATD 1"};
        QTest::newRow("comment") << "chat -f /x # old" << QStringList{"chat", "-f", "/x"};
    }
    void shellWords()
    {
        QFETCH(QString, command);
        QFETCH(QStringList, words);
        QCOMPARE(toList(SplitShellWords(command.toStdString())), words);
    }

    void chatWords_data()
    {
        QTest::addColumn<QByteArray>("script");
        QTest::addColumn<QStringList>("words");
        QTest::newRow("a provider script") << QByteArray(
            "# dial the provider\nABORT BUSY ABORT 'NO CARRIER'\n'' ATZ\nOK-AT-OK \"ATDT*99#\"\nCONNECT \\d\\c\n")
                                           << QStringList{"ABORT", "BUSY",     "ABORT",    "NO CARRIER", "",
                                                          "ATZ",   "OK-AT-OK", "ATDT*99#", "CONNECT",    "\\d\\c"};
        QTest::newRow("comment only at the line start")
            << QByteArray("OK ATDT12 # not a comment") << QStringList{"OK", "ATDT12", "#", "not", "a", "comment"};
        QTest::newRow("escaped quote inside quotes") << QByteArray("'say \\'hi\\''") << QStringList{"say \\'hi\\'"};
    }
    void chatWords()
    {
        QFETCH(QByteArray, script);
        QFETCH(QStringList, words);
        QCOMPARE(toList(SplitChatWords(script.toStdString())), words);
    }

    void dialledNumber_data()
    {
        QTest::addColumn<QStringList>("words");
        QTest::addColumn<QString>("phone");   // chat's -T
        QTest::addColumn<QString>("number");
        QTest::newRow("ATDT") << QStringList{"", "ATZ", "OK", "ATDT0192658", "CONNECT"} << ""
                              << "0192658";
        QTest::newRow("ATDP") << QStringList{"OK", "ATDP0192658"} << ""
                              << "0192658";
        QTest::newRow("ATD") << QStringList{"OK", "ATD*99#"} << ""
                             << "*99#";
        QTest::newRow("lower case") << QStringList{"OK", "atdt 0192 658 "} << ""
                                    << "0192 658";
        QTest::newRow("\\T from -T") << QStringList{"OK", "ATDT\\T"} << "0800123"
                                     << "0800123";
        QTest::newRow("chat escapes dropped") << QStringList{"OK", "ATDT0192658\\c"} << ""
                                              << "0192658";
        QTest::newRow("first dial wins") << QStringList{"ATDT1", "ATDT2"} << ""
                                         << "1";
        QTest::newRow("no dial command") << QStringList{"", "ATZ", "OK", "AT&F"} << ""
                                         << "";
        QTest::newRow("bare ATD") << QStringList{"ATD"} << ""
                                  << "";
    }
    void dialledNumber()
    {
        QFETCH(QStringList, words);
        QFETCH(QString, phone);
        QFETCH(QString, number);
        QCOMPARE(QString::fromStdString(DialledNumber(fromList(words), phone.toStdString())), number);
    }

    void deviceWord_data()
    {
        QTest::addColumn<QString>("word");
        QTest::addColumn<QString>("device");
        QTest::newRow("/dev path") << "/dev/ttyS0"
                                   << "ttyS0";
        QTest::newRow("usb modem") << "/dev/ttyUSB1"
                                   << "ttyUSB1";
        QTest::newRow("bare tty") << "ttyACM0"
                                  << "ttyACM0";
        QTest::newRow("option") << "noauth"
                                << "";
        QTest::newRow("speed") << "115200"
                               << "";
        QTest::newRow("just /dev/") << "/dev/"
                                    << "";
        QTest::newRow("tty with path characters") << "tty/../x"
                                                  << "";
    }
    void deviceWord()
    {
        QFETCH(QString, word);
        QFETCH(QString, device);
        QCOMPARE(QString::fromStdString(DeviceWord(word.toStdString())), device);
    }

    void leftoverNames_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("leftover");
        QTest::newRow("peer") << "provider" << false;
        QTest::newRow("peer with dot") << "t-online.dsl" << false;
        QTest::newRow("editor backup") << "provider~" << true;
        QTest::newRow(".bak") << "provider.bak" << true;
        QTest::newRow("dpkg-old") << "provider.dpkg-old" << true;
        QTest::newRow("dpkg-dist") << "provider.dpkg-dist" << true;
        QTest::newRow("ucf-dist") << "provider.ucf-dist" << true;
        QTest::newRow("vim swap") << ".provider.swp" << true;
        QTest::newRow("emacs autosave") << "#provider#" << true;
    }
    void leftoverNames()
    {
        QFETCH(QString, name);
        QFETCH(bool, leftover);
        QCOMPARE(IsLeftoverFileName(name.toStdString()), leftover);
    }
};

QTEST_GUILESS_MAIN(TestPppdFiles)
#include "tst_pppdfiles.moc"
