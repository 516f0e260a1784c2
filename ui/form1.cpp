#include "form1.h"

#include "captions.h"
#include "form1_layout.h"
#include "window_logic.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QStorageInfo>

namespace dxf2csv {
namespace {

constexpr int kPathRole = Qt::UserRole;

MessageHook& messageHook() {
    static MessageHook hook;
    return hook;
}

/// File systems that hold no user files.
bool isSystemMount(const QString& root) {
    for (const char* prefix : {"/proc", "/sys", "/dev", "/run", "/snap", "/boot", "/var/lib", "/tmp"})
        if (root == prefix || root.startsWith(QString(prefix) + "/")) return !root.startsWith("/run/media/");
    return false;
}

bool isRemovable(const QString& root) {
    return root.startsWith("/media/") || root.startsWith("/run/media/") || root.startsWith("/mnt/");
}

} // namespace

void setMessageHook(MessageHook hook) { messageHook() = std::move(hook); }

void showMessage(QWidget* parent, const QString& title, const QString& text) {
    if (messageHook()) {
        messageHook()(parent, title, text);
        return;
    }
    QMessageBox::critical(parent, title, text);
}

QStringList browsableVolumes() {
    QStringList first{QDir::rootPath()};
    const QString home = QDir::homePath();
    if (home != QDir::rootPath()) first << home;
    QStringList removable;
    QStringList others;
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
        if (!volume.isValid() || !volume.isReady()) continue;
        const QString root = volume.rootPath();
        if (first.contains(root) || isSystemMount(root)) continue;
        (isRemovable(root) ? removable : others) << root;
    }
    removable.sort();
    others.sort();
    return first + removable + others;
}

Form1::Form1(QWidget* parent, std::optional<double> dpi)
    : QWidget(parent),
      dpi_(dpi ? *dpi : (screen() != nullptr ? screen()->logicalDotsPerInch() : 96.0)) {
    setObjectName("Form1");
    setWindowTitle(QString::fromUtf8(captions::kStart));
    setFixedSize(pixels(layout::kClientWidth), pixels(layout::kClientHeight));
    buildControls();
    fillDrives();
    setDirectoryPath(QDir::currentPath());
}

Form1::~Form1() = default;

int Form1::pixels(int twips) const { return static_cast<int>(twips * dpi_ / layout::kTwipsPerInch + 0.5); }

void Form1::buildControls() {
    auto place = [this](QWidget* widget, const char* name) {
        const layout::Place& at = layout::placeOf(name);
        widget->setObjectName(name);
        widget->setGeometry(pixels(at.left), pixels(at.top), pixels(at.width), pixels(at.height));
    };
    auto button = [&](const char* caption, const char* name) {
        auto* b = new QPushButton(QString::fromUtf8(caption), this);
        place(b, name);
        return b;
    };
    auto label = [&](const char* caption, const char* name, QWidget* buddy) {
        auto* l = new QLabel(QString::fromUtf8(caption), this);
        place(l, name);
        l->setBuddy(buddy);
        l->setFocusPolicy(Qt::NoFocus);
        return l;
    };
    auto fileList = [&](const char* name) {
        auto* list = new QListWidget(this);
        place(list, name);
        return list;
    };

    drive1_ = new QComboBox(this);
    place(drive1_, "Drive1");
    dir1_ = new QListWidget(this);
    place(dir1_, "Dir1");
    file1_ = fileList("File1");
    txtFileName_ = new QLineEdit(this);
    place(txtFileName_, "txtFileName");
    label1_ = label(captions::kLabel1, "Label1", txtFileName_);
    cmdCul1_ = button(captions::kCul1, "cmdCul1");
    cmdOpen_ = button(captions::kOpen, "cmdOpen");
    cmdCul2_ = button(captions::kCul2, "cmdCul2");
    cmdExit_ = button(captions::kExit, "cmdExit");
    txtDis_ = new QPlainTextEdit(this);
    place(txtDis_, "txtDis");
    txtDis_->setLineWrapMode(QPlainTextEdit::NoWrap);
    txtDis_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    txtDis_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    txtDis_->setTabChangesFocus(true);
    txtFileS_ = new QLineEdit(this);
    place(txtFileS_, "txtFileS");
    label2_ = label(captions::kLabel2, "Label2", txtFileS_);
    txtFileR_ = new QLineEdit(QString::fromUtf8(captions::kDefaultTolerance), this);
    place(txtFileR_, "txtFileR");
    label3_ = label(captions::kLabel3, "Label3", txtFileR_);
    file2_ = fileList("File2");

    // Focus follows the tab indexes; the labels take none.
    QWidget* order[] = {drive1_, dir1_, file1_, txtFileName_, cmdCul1_, cmdOpen_,
                        cmdCul2_, cmdExit_, txtDis_, txtFileS_, txtFileR_, file2_};
    for (std::size_t i = 0; i + 1 < std::size(order); ++i) setTabOrder(order[i], order[i + 1]);

    connect(drive1_, &QComboBox::currentIndexChanged, this, &Form1::onDriveChanged);
    connect(dir1_, &QListWidget::itemActivated, this, &Form1::onDirActivated);
    connect(file1_, &QListWidget::itemClicked, this, &Form1::onFileClicked);
    connect(cmdCul1_, &QPushButton::clicked, this, &Form1::onRun);
    connect(cmdExit_, &QPushButton::clicked, qApp, &QApplication::quit);
}

void Form1::fillDrives() {
    const QSignalBlocker blocker(drive1_);
    drive1_->clear();
    const QString current = QDir::currentPath();
    int best = 0;
    qsizetype bestLength = -1;
    const QStringList volumes = browsableVolumes();
    for (int i = 0; i < volumes.size(); ++i) {
        drive1_->addItem(QDir::toNativeSeparators(volumes[i]), volumes[i]);
        const QString root = volumes[i].endsWith('/') ? volumes[i] : volumes[i] + '/';
        if ((current + '/').startsWith(root) && root.size() > bestLength) {
            best = i;
            bestLength = root.size();
        }
    }
    drive1_->setCurrentIndex(best);
    driveIndex_ = best;
}

void Form1::onDriveChanged(int index) {
    const QString root = drive1_->itemData(index).toString();
    const QFileInfo info(root);
    if (!info.isDir() || !info.isReadable()) {
        const Message message = driveNotReady(root.toStdString());
        showMessage(this, QString::fromStdString(message.title), QString::fromStdString(message.text));
        const QSignalBlocker blocker(drive1_);
        drive1_->setCurrentIndex(driveIndex_);
        return;
    }
    driveIndex_ = index;
    setDirectoryPath(root);
}

void Form1::setDirectoryPath(const QString& path) {
    dirPath_ = QDir::cleanPath(QDir(path).absolutePath());
    fillDirList();
    fillFileList(file1_);
    fillFileList(file2_);
}

void Form1::fillDirList() {
    dir1_->clear();
    // The path's ancestors from the root down, then its subdirectories, indented beneath.
    QStringList chain;
    for (QDir dir(dirPath_);; ) {
        chain.prepend(dir.absolutePath());
        if (dir.isRoot() || !dir.cdUp()) break;
    }
    int depth = 0;
    for (const QString& ancestor : chain) {
        const QString name = QDir(ancestor).isRoot() ? QDir::toNativeSeparators(ancestor) : QFileInfo(ancestor).fileName();
        auto* item = new QListWidgetItem(QString(depth * 2, ' ') + name, dir1_);
        item->setData(kPathRole, ancestor);
        ++depth;
    }
    dir1_->setCurrentRow(static_cast<int>(chain.size()) - 1);
    const QStringList subdirectories = QDir(dirPath_).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
    for (const QString& sub : subdirectories) {
        auto* item = new QListWidgetItem(QString(depth * 2, ' ') + sub, dir1_);
        item->setData(kPathRole, QDir(dirPath_).filePath(sub));
    }
}

void Form1::fillFileList(QListWidget* list) {
    list->clear();
    list->addItems(QDir(dirPath_).entryList(QDir::Files, QDir::Name));
}

void Form1::onDirActivated(QListWidgetItem* item) {
    if (item != nullptr) setDirectoryPath(item->data(kPathRole).toString());
}

void Form1::onFileClicked(QListWidgetItem* item) {
    if (item == nullptr) return;
    txtFileName_->setText(item->text());
    txtFileS_->setText(QString::fromStdString(csvNameFor(item->text().toStdString())));
}

void Form1::onRun() {
    const char separator = QDir::separator().toLatin1();
    RunRequest request;
    request.inputPath = joinPath(QFile::encodeName(dirPath_).toStdString(),
                                 QFile::encodeName(txtFileName_->text()).toStdString(), separator);
    request.outputPath = joinPath(QFile::encodeName(dirPath_).toStdString(),
                                  QFile::encodeName(txtFileS_->text()).toStdString(), separator);
    request.tolerance = txtFileR_->text().toStdString();
    const std::string before = windowTitle().toStdString();
    setWindowTitle(QString::fromUtf8(captions::kReading));
    // Show the caption before the run takes the thread.
    repaint();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    const RunOutcome outcome = runConversion(request, before);
    setWindowTitle(QString::fromStdString(outcome.caption));
    if (outcome.succeeded) {
        QString text = QString::fromStdString(outcome.report);
        text.replace("\r\n", "\n");
        txtDis_->setPlainText(text);
    } else {
        showMessage(this, QString::fromStdString(outcome.messageTitle), QString::fromStdString(outcome.messageText));
    }
}

} // namespace dxf2csv
