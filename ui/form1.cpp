#include "form1.h"

#include "captions.h"
#include "form1_layout.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QSignalBlocker>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>

#include <stdexcept>

namespace dxf2csv {
namespace {

/// Where a Drive1 or Dir1 line keeps the path it stands for.
constexpr int kPathRole = Qt::UserRole;

QString qt(const std::string& text) { return QString::fromStdString(text); }

} // namespace

void showMessageBox(QWidget* parent, const Message& message) {
    QMessageBox::critical(parent, qt(message.title), qt(message.text));
}

Form1::Form1(QWidget* parent, std::optional<double> dpi)
    : QWidget(parent),
      dpi_(dpi ? *dpi : (screen() != nullptr ? screen()->logicalDotsPerInch() : 96.0)),
      logic_(*this, fileSystem_) {
    setObjectName("Form1");
    setWindowTitle(QString::fromUtf8(captions::kStart));
    setFixedSize(pixels(layout::kClientWidth), pixels(layout::kClientHeight));
    buildControls();
    logic_.start();
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

    connect(drive1_, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index >= 0) logic_.driveChosen(static_cast<std::size_t>(index), drive1_->itemData(index).toString().toStdString());
    });
    connect(dir1_, &QListWidget::itemActivated, this, [this](QListWidgetItem* item) {
        if (item != nullptr) logic_.openFolder(item->data(kPathRole).toString().toStdString());
    });
    connect(file1_, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
        if (item != nullptr) logic_.fileChosen(item->text().toStdString());
    });
    connect(cmdCul1_, &QPushButton::clicked, this, [this] { logic_.run(); });
    connect(cmdExit_, &QPushButton::clicked, qApp, &QApplication::quit);
}

QLineEdit* Form1::field(Field which) const {
    const std::string_view name = controlName(which);
    auto* edit = findChild<QLineEdit*>(QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size())));
    if (edit == nullptr) throw std::logic_error("Form1 has no field " + std::string(name));
    return edit;
}

std::string Form1::caption() const { return windowTitle().toStdString(); }

void Form1::setCaption(const std::string& caption) { setWindowTitle(qt(caption)); }

void Form1::paintNow() {
    repaint();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

std::string Form1::text(Field which) const { return field(which)->text().toStdString(); }

void Form1::setText(Field which, const std::string& text) { field(which)->setText(qt(text)); }

void Form1::setReport(const std::string& report) {
    QString text = qt(report);
    text.replace("\r\n", "\n");
    txtDis_->setPlainText(text);
}

void Form1::fillDrives(const std::vector<Volume>& volumes, std::size_t current) {
    const QSignalBlocker blocker(drive1_);
    drive1_->clear();
    for (const Volume& volume : volumes) drive1_->addItem(qt(volume.shown), qt(volume.root));
    drive1_->setCurrentIndex(static_cast<int>(current));
}

void Form1::chooseDrive(std::size_t index) {
    const QSignalBlocker blocker(drive1_);
    drive1_->setCurrentIndex(static_cast<int>(index));
}

void Form1::fillFolders(const std::vector<FolderLine>& lines, std::size_t current) {
    dir1_->clear();
    for (const FolderLine& line : lines) {
        auto* item = new QListWidgetItem(qt(line.text), dir1_);
        item->setData(kPathRole, qt(line.path));
    }
    dir1_->setCurrentRow(static_cast<int>(current));
}

void Form1::fillFiles(const std::vector<std::string>& names) {
    for (QListWidget* list : {file1_, file2_}) {
        list->clear();
        for (const std::string& name : names) list->addItem(qt(name));
    }
}

void Form1::selectFile(const std::string& name) {
    for (QListWidget* list : {file1_, file2_}) {
        const QSignalBlocker quiet(list);
        const auto found = list->findItems(qt(name), Qt::MatchExactly);
        if (!found.isEmpty()) list->setCurrentItem(found.front());
    }
}

void Form1::showMessageBox(const Message& message) { dxf2csv::showMessageBox(this, message); }

} // namespace dxf2csv
