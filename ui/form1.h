#pragma once
// The main window: drive, directory and file lists, the three text fields, the buttons and
// the report. It only gathers what the user chose and hands it to the conversion engine.

#include <QString>
#include <QWidget>

#include <functional>
#include <memory>
#include <optional>

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPlainTextEdit;
class QPushButton;

namespace dxf2csv {


/// Every message box of the program goes through this hook (title, text), so tests can
/// replace it and nothing ever blocks on a modal dialog.
using MessageHook = std::function<void(QWidget* parent, const QString& title, const QString& text)>;
void setMessageHook(MessageHook hook);
void showMessage(QWidget* parent, const QString& title, const QString& text);

class Form1 : public QWidget {
    Q_OBJECT
public:
    /// `dpi` overrides the screen's logical DPI that turns the layout's twips into pixels.
    explicit Form1(QWidget* parent = nullptr, std::optional<double> dpi = std::nullopt);
    ~Form1() override;

    /// Dir1's current path.
    QString directoryPath() const { return dirPath_; }
    /// Makes `path` Dir1's path, as a user's navigation would; the file lists follow.
    void setDirectoryPath(const QString& path);
    /// The pixels of a length in twips at this window's DPI.
    int pixels(int twips) const;

private:
    void buildControls();
    void fillDrives();
    void onDriveChanged(int index);
    void onDirActivated(QListWidgetItem* item);
    void onFileClicked(QListWidgetItem* item);
    void onRun();
    void fillDirList();
    void fillFileList(QListWidget* list);

    double dpi_;
    QString dirPath_;
    int driveIndex_ = -1;

    QComboBox* drive1_ = nullptr;
    QListWidget* dir1_ = nullptr;
    QListWidget* file1_ = nullptr;
    QListWidget* file2_ = nullptr;
    QLabel* label1_ = nullptr;
    QLabel* label2_ = nullptr;
    QLabel* label3_ = nullptr;
    QLineEdit* txtFileName_ = nullptr;
    QLineEdit* txtFileS_ = nullptr;
    QLineEdit* txtFileR_ = nullptr;
    QPushButton* cmdCul1_ = nullptr;
    QPushButton* cmdCul2_ = nullptr;
    QPushButton* cmdOpen_ = nullptr;
    QPushButton* cmdExit_ = nullptr;
    QPlainTextEdit* txtDis_ = nullptr;
};

/// The volumes a user can browse: "/" and the home folder first, then removable media, then
/// the other mounted file systems a user would recognise.
QStringList browsableVolumes();

} // namespace dxf2csv
