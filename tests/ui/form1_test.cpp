// The main window under the offscreen platform: layout, focus, captions and the events.

#include "form1.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

using dxf2csv::Form1;

namespace {

struct Message {
    QString title;
    QString text;
};

const char* const kDrawing =
    "  0\nSECTION\n  2\nENTITIES\n"
    "  0\nTEXT\n  5\nA1\n 10\n0\n 21\n0\n  1\nbolt\n 73\n2\n"
    "  0\nTEXT\n  5\nA2\n 10\n5\n 21\n40\n  1\nnut\n 73\n2\n"
    "  0\nENDSEC\n  0\nSECTION\n  2\nOBJECTS\n  0\nGROUP\n  5\nF0\n340\nA1\n340\nA2\n  0\nENDSEC\n  0\nEOF\n";

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class Form1Test : public QObject {
    Q_OBJECT

private:
    std::vector<Message> messages_;
    std::unique_ptr<QTemporaryDir> folder_;
    QTemporaryDir& dir() { return *folder_; }

    template <class T>
    static T* child(Form1& form, const char* name) {
        T* widget = form.findChild<T*>(name);
        if (widget == nullptr) qFatal("no control %s", name);
        return widget;
    }

    void clickFile(Form1& form, const QString& name) {
        auto* list = child<QListWidget>(form, "File1");
        const auto found = list->findItems(name, Qt::MatchExactly);
        QCOMPARE(found.size(), 1);
        list->scrollToItem(found[0]);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(found[0]).center());
    }

private slots:
    void init() {
        messages_.clear();
        dxf2csv::setMessageHook([this](const dxf2csv::Message& message) {
            messages_.push_back({QString::fromStdString(message.title), QString::fromStdString(message.text)});
        });
        folder_ = std::make_unique<QTemporaryDir>();
        QVERIFY(dir().isValid());
        writeFile(dir().filePath("plan.dxf"), kDrawing);
        writeFile(dir().filePath("broken.dxf"), "  0\nSECTION\nxx\nENTITIES\n");
        QDir(dir().path()).mkpath("sub/deeper");
        writeFile(dir().filePath("sub/inner.dxf"), kDrawing);
    }

    void layoutAtAFixedDpi_data() {
        QTest::addColumn<double>("dpi");
        QTest::newRow("96 dpi") << 96.0;
        QTest::newRow("144 dpi") << 144.0;
    }

    void layoutAtAFixedDpi() {
        QFETCH(double, dpi);
        Form1 form(nullptr, dpi);
        auto px = [dpi](int twips) { return static_cast<int>(twips * dpi / 1440.0 + 0.5); };
        QCOMPARE(form.size(), QSize(px(8100), px(6885)));
        QCOMPARE(form.minimumSize(), form.maximumSize()); // not resizable
        struct Place {
            const char* name;
            int left, top, width, height;
        };
        const Place places[] = {
            {"Drive1", 480, 1680, 2415, 300},     {"Dir1", 480, 2160, 2415, 1350},
            {"File1", 3360, 1680, 2295, 990},     {"Label1", 360, 240, 1575, 255},
            {"txtFileName", 2160, 120, 3495, 375}, {"cmdCul1", 6120, 240, 1215, 495},
            {"cmdOpen", 6120, 2160, 1215, 495},   {"cmdCul2", 6120, 840, 1215, 495},
            {"cmdExit", 6120, 2880, 1215, 495},   {"txtDis", 480, 3960, 6855, 2895},
            {"txtFileS", 2160, 600, 3495, 375},   {"Label2", 360, 720, 1575, 255},
            {"txtFileR", 2160, 1080, 3495, 375},  {"Label3", 120, 1200, 2055, 255},
            {"File2", 3360, 2760, 2295, 990},
        };
        for (const Place& p : places) {
            QWidget* w = child<QWidget>(form, p.name);
            QCOMPARE(w->geometry(), QRect(px(p.left), px(p.top), px(p.width), px(p.height)));
        }
    }

    void captionsAndInitialTexts() {
        Form1 form;
        QCOMPARE(form.windowTitle(), QString::fromUtf8("DXF内容表示"));
        QCOMPARE(child<QLabel>(form, "Label1")->text(), QString::fromUtf8("入力ファイル名(&N)"));
        QCOMPARE(child<QLabel>(form, "Label2")->text(), QString::fromUtf8("出力ファイル名(&S)"));
        QCOMPARE(child<QLabel>(form, "Label3")->text(), QString::fromUtf8("文字高の許容値(&R)"));
        QCOMPARE(child<QPushButton>(form, "cmdCul1")->text(), QString::fromUtf8("実行1(&A)"));
        QCOMPARE(child<QPushButton>(form, "cmdCul2")->text(), QString::fromUtf8("実行２(&B)"));
        QCOMPARE(child<QPushButton>(form, "cmdOpen")->text(), QString::fromUtf8("開く(&O)"));
        QCOMPARE(child<QPushButton>(form, "cmdExit")->text(), QString::fromUtf8("終了(&X)"));
        QCOMPARE(child<QLineEdit>(form, "txtFileR")->text(), QString("100"));
        QVERIFY(child<QLineEdit>(form, "txtFileName")->text().isEmpty());
        QVERIFY(child<QPlainTextEdit>(form, "txtDis")->toPlainText().isEmpty());
        QCOMPARE(form.directoryPath(), QDir::currentPath());
    }

    void tabOrderAndAccessKeys() {
        Form1 form;
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        form.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        const QStringList expected = {"Drive1", "Dir1",   "File1",  "txtFileName", "cmdCul1", "cmdOpen",
                                      "cmdCul2", "cmdExit", "txtDis", "txtFileS",    "txtFileR", "File2"};
        child<QWidget>(form, "Drive1")->setFocus();
        QStringList seen;
        for (int i = 0; i < expected.size(); ++i) {
            seen << QApplication::focusWidget()->objectName();
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        QCOMPARE(seen, expected);
        for (const char* label : {"Label1", "Label2", "Label3"})
            QCOMPARE(child<QWidget>(form, label)->focusPolicy(), Qt::NoFocus);

        const std::pair<Qt::Key, const char*> labels[] = {
            {Qt::Key_N, "txtFileName"}, {Qt::Key_S, "txtFileS"}, {Qt::Key_R, "txtFileR"}};
        for (const auto& [key, target] : labels) {
            QTest::keyClick(&form, key, Qt::AltModifier);
            QCOMPARE(QApplication::focusWidget()->objectName(), QString(target));
        }
        const std::pair<Qt::Key, const char*> buttons[] = {{Qt::Key_B, "cmdCul2"}, {Qt::Key_O, "cmdOpen"}};
        for (const auto& [key, name] : buttons) {
            QSignalSpy pressed(child<QPushButton>(form, name), &QPushButton::clicked);
            QTest::keyClick(&form, key, Qt::AltModifier);
            QTRY_COMPARE(pressed.count(), 1); // a button pressed by its key clicks after a short animation
        }
        // Pressing cmdCul2 or cmdOpen changes nothing.
        QCOMPARE(form.windowTitle(), QString::fromUtf8("DXF内容表示"));
        QVERIFY(messages_.empty());
    }

    void runWritesTheCsvAndShowsTheReport() {
        Form1 form;
        form.setDirectoryPath(dir().path());
        clickFile(form, "plan.dxf");
        QCOMPARE(child<QLineEdit>(form, "txtFileName")->text(), QString("plan.dxf"));
        QCOMPARE(child<QLineEdit>(form, "txtFileS")->text(), QString("plan.dxf.csv"));

        QTest::mouseClick(child<QPushButton>(form, "cmdCul1"), Qt::LeftButton);
        QVERIFY(messages_.empty());
        QCOMPARE(readFile(dir().filePath("plan.dxf.csv")), QByteArray("bolt,nut\r\n"));
        const QString report = child<QPlainTextEdit>(form, "txtDis")->toPlainText();
        const QString lines = QString::fromUtf8("認識した要素数 : 2（５０００要素以下が必須！！）\n計上した材料数 : 2\n"
                                                "計上した材料の総数 : 2\n処理終了\n");
        // The report ends with where the result went, in full; the file lists show it.
        QCOMPARE(report, lines + QString::fromUtf8("出力先 : ") + QDir(dir().path()).filePath("plan.dxf.csv") + "\n");
        // The file lists show the new CSV, selected, and the input name stays the drawing's.
        for (const char* list : {"File1", "File2"}) {
            QVERIFY(child<QListWidget>(form, list)->currentItem() != nullptr);
            QCOMPARE(child<QListWidget>(form, list)->currentItem()->text(), QString("plan.dxf.csv"));
        }
        QCOMPARE(child<QLineEdit>(form, "txtFileName")->text(), QString("plan.dxf"));
        QCOMPARE(form.windowTitle(), QString::fromUtf8("ファイル操作"));

        // A second run replaces the report; an edited output name is used as typed, and a
        // full-width tolerance reads as its digits (Y 0 and 40 are apart at 10).
        child<QLineEdit>(form, "txtFileS")->setText("edited.csv");
        child<QLineEdit>(form, "txtFileR")->setText(QString::fromUtf8("１０"));
        QTest::mouseClick(child<QPushButton>(form, "cmdCul1"), Qt::LeftButton);
        QVERIFY(messages_.empty());
        QCOMPARE(readFile(dir().filePath("edited.csv")), QByteArray("nut\r\nbolt\r\n"));
        QCOMPARE(child<QPlainTextEdit>(form, "txtDis")->toPlainText(),
                 lines + QString::fromUtf8("出力先 : ") + QDir(dir().path()).filePath("edited.csv") + "\n");
    }

    void failedRunKeepsTheWindowUsable() {
        Form1 form;
        form.setDirectoryPath(dir().path());
        clickFile(form, "plan.dxf");
        QTest::mouseClick(child<QPushButton>(form, "cmdCul1"), Qt::LeftButton);
        const QString title = form.windowTitle();
        const QString report = child<QPlainTextEdit>(form, "txtDis")->toPlainText();

        struct Case {
            const char* name;
            const char* file;
            const char* tolerance;
            const char* kind;
        };
        const Case cases[] = {
            {"bad group code", "broken.dxf", "100", "数値ではありません"},
            {"bad tolerance", "plan.dxf", "abc", "数値ではありません"},
            {"empty name", "", "100", "入力ファイルを開けません"},
        };
        for (const Case& c : cases) {
            messages_.clear();
            child<QLineEdit>(form, "txtFileName")->setText(c.file);
            child<QLineEdit>(form, "txtFileS")->setText("out.csv");
            child<QLineEdit>(form, "txtFileR")->setText(c.tolerance);
            QTest::mouseClick(child<QPushButton>(form, "cmdCul1"), Qt::LeftButton);
            QVERIFY2(messages_.size() == 1, c.name);
            QCOMPARE(messages_[0].title, QString::fromUtf8(c.kind));
            QVERIFY2(messages_[0].text.contains(dir().path()), qPrintable(messages_[0].text));
            QCOMPARE(form.windowTitle(), title);
            QCOMPARE(child<QPlainTextEdit>(form, "txtDis")->toPlainText(), report);
            QVERIFY(!QFile::exists(dir().filePath("out.csv")));
        }
        QVERIFY(messages_[0].text.isEmpty() == false);
        // The window is ready for the next run.
        messages_.clear();
        child<QLineEdit>(form, "txtFileName")->setText("plan.dxf");
        child<QLineEdit>(form, "txtFileR")->setText("100");
        QTest::mouseClick(child<QPushButton>(form, "cmdCul1"), Qt::LeftButton);
        QVERIFY(messages_.empty());
        QCOMPARE(readFile(dir().filePath("out.csv")), QByteArray("bolt,nut\r\n"));
    }

    void driveToDirectoryToFileLists() {
        Form1 form;
        auto* drive = child<QComboBox>(form, "Drive1");
        auto* dirList = child<QListWidget>(form, "Dir1");
        QVERIFY(drive->count() >= 1);
        QCOMPARE(drive->itemData(0).toString(), QDir::rootPath());

        const int root = drive->findData(QDir::rootPath());
        drive->setCurrentIndex(drive->currentIndex() == root ? 1 % drive->count() : root);
        drive->setCurrentIndex(root);
        QCOMPARE(form.directoryPath(), QDir::rootPath());

        form.setDirectoryPath(dir().path());
        QStringList files;
        for (const char* name : {"File1", "File2"}) {
            auto* list = child<QListWidget>(form, name);
            files.clear();
            for (int i = 0; i < list->count(); ++i) files << list->item(i)->text();
            QCOMPARE(files, (QStringList{"broken.dxf", "plan.dxf"}));
        }
        // Dir1 holds the ancestors and then the subdirectories; activating one enters it.
        QCOMPARE(dirList->item(0)->text(), QDir::rootPath());
        const auto sub = dirList->findItems("sub", Qt::MatchEndsWith);
        QCOMPARE(sub.size(), 1);
        emit dirList->itemActivated(sub[0]);
        QCOMPARE(form.directoryPath(), dir().filePath("sub"));
        QCOMPARE(child<QListWidget>(form, "File1")->item(0)->text(), QString("inner.dxf"));
        QCOMPARE(child<QListWidget>(form, "File2")->count(), 1);
        const auto up = dirList->findItems(QDir(dir().path()).dirName(), Qt::MatchEndsWith);
        QCOMPARE(up.size(), 1);
        emit dirList->itemActivated(up[0]);
        QCOMPARE(form.directoryPath(), dir().path());

        // A drive that is not ready: the message, and the previous drive stays chosen.
        const int before = drive->currentIndex();
        drive->addItem("/not-mounted", "/not-mounted");
        drive->setCurrentIndex(drive->count() - 1);
        QCOMPARE(messages_.size(), std::size_t{1});
        QCOMPARE(messages_[0].title, QString::fromUtf8("ドライブの準備ができていません"));
        QCOMPARE(messages_[0].text, QString("/not-mounted"));
        QCOMPARE(drive->currentIndex(), before);
        QCOMPARE(form.directoryPath(), dir().path());
    }
};

QTEST_MAIN(Form1Test)
#include "form1_test.moc"
