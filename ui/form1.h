#pragma once
// The main window: drive, directory and file lists, the three text fields, the buttons and
// the report. It creates and places its controls and hands every event to WindowLogic, which
// tells it what to show.

#include "window_file_system.h"
#include "message_hook.h"
#include "window_logic.h"
#include "window_view.h"

#include <QString>
#include <QWidget>

#include <optional>

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;

namespace dxf2csv {

/// Shows `message` in a Qt message box owned by `parent`.
void showMessageBox(QWidget* parent, const Message& message);

class Form1 : public QWidget, private WindowView {
    Q_OBJECT
public:
    /// `dpi` overrides the screen's logical DPI that turns the layout's twips into pixels.
    explicit Form1(QWidget* parent = nullptr, std::optional<double> dpi = std::nullopt);
    ~Form1() override;

    /// Dir1's current path.
    QString directoryPath() const { return QString::fromStdString(logic_.folder()); }
    /// Makes `path` Dir1's path, as a user's navigation would; the file lists follow.
    void setDirectoryPath(const QString& path) { logic_.openFolder(path.toStdString()); }
    /// The pixels of a length in twips at this window's DPI.
    int pixels(int twips) const;

private:
    void buildControls();
    QLineEdit* field(Field which) const;

    // WindowView
    std::string caption() const override;
    void setCaption(const std::string& caption) override;
    void paintNow() override;
    std::string text(Field which) const override;
    void setText(Field which, const std::string& text) override;
    void setReport(const std::string& report) override;
    void fillDrives(const std::vector<Volume>& volumes, std::size_t current) override;
    void chooseDrive(std::size_t index) override;
    void fillFolders(const std::vector<FolderLine>& lines, std::size_t current) override;
    void fillFiles(const std::vector<std::string>& names) override;
    void selectFile(const std::string& name) override;
    void showMessageBox(const Message& message) override;

    double dpi_;
    WindowFileSystem fileSystem_;
    WindowLogic logic_;

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

} // namespace dxf2csv
