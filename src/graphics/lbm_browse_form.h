// The picture browser: pages through the unit pictures (Pm<n>.lbm) around a
// number, nine at a time, and lets the modder pick one. Only the nine pictures
// on screen are ever decoded, and rapid changes of the number (dragging the
// scroll bar, typing) are gathered into one refresh of the last number. The
// folder list only changes which files the file list shows; the pictures
// always come from the pictures folder. The process's current directory is
// never changed.
#pragma once

#include <QDialog>
#include <QHash>
#include <QImage>
#include <QPixmap>
#include <QString>
#include <array>
#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>

#include "graphics/file_stamp.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QTreeWidget;
class QTreeWidgetItem;
class QPushButton;
class QScrollBar;
class QTimer;

namespace brackle {

// One picture of the browser: the picture scaled down to fit its frame,
// keeping its aspect, with its number beneath. Without a picture the frame
// stays empty and the number is greyed. A click reports itself.
class PictureFrame : public QWidget {
    Q_OBJECT
public:
    PictureFrame(bool current, QWidget* parent);

    // Shows picture (none when null) for number; numbers outside 0..99999 show no number.
    void Show(int number, const QImage& picture, const QString& hint);
    bool HasPicture() const { return !picture_.isNull(); }
    const QImage& Picture() const { return picture_; }
    int Number() const { return number_; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QRect PictureArea() const;

    bool current_;
    int number_ = -1;
    QImage picture_;
    QPixmap scaled_;  // picture_ scaled for the last picture area
    bool pressed_ = false;
};

class TLBMBrowseForm : public QDialog {
    Q_OBJECT
public:
    explicit TLBMBrowseForm(QWidget* parent = nullptr);

    // Opens on start (5 when start is 0) over the pictures of picturesDir and
    // shows the browser modally. Gives the number chosen with OK; nothing on
    // Cancel, Escape or closing the window.
    std::optional<int> Run(const QString& picturesDir, int start);

    // Everything Run does before it shows the browser: the number, the folder
    // lists and the pictures.
    void Open(const QString& picturesDir, int start);

    int ChosenPicture() const { return chosen_; }
    // The folder whose files FileListBox1 shows.
    QString Directory() const { return directory_; }
    // Whether a change of the number still waits for its refresh.
    bool RefreshPending() const;
    // How many picture files have been read and decoded so far.
    int FilesDecoded() const { return filesDecoded_; }

    // Shows the files of dir in FileListBox1 and its folders in DirectoryListBox22.
    void SetDirectory(const QString& dir);

    void LBMIDEditChange();
    // A click on the picture offset places from the current one (-4..4; 0 is TheLBMImage).
    void LBMImageClick(int offset);
    void ScrollBar1Change(int position);
    void FileListBox1Click(QListWidgetItem* item);
    void DirectoryListBox22Open(QTreeWidgetItem* item);
    void OKButtonClick();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // A decoded picture (or why there is none), kept while its file stays the same.
    struct CachedPicture {
        std::filesystem::path file;
        FileStamp stamp;  // the same check the unit page's cache makes
        QImage image;
        QString problem;
        std::uint64_t used = 0;
    };
    // The picture files of the pictures folder by number, listed again when the folder changes.
    struct FolderIndex {
        std::filesystem::path dir;
        std::optional<std::filesystem::file_time_type> written;
        std::map<int, std::filesystem::path> files;
    };

    // The number the edit holds, clamped to 0..99999; nothing for a text that is no number.
    std::optional<int> EditNumber() const;
    void Choose(int n);
    void Step(int by);
    // Shows the nine pictures around the number in the edit and selects its file.
    void Refresh();
    // The file of picture n in the pictures folder, or an empty path.
    std::filesystem::path PictureFile(int n);
    // The decoded picture of file (null when it cannot be read or decoded), from the cache when still current.
    QImage Picture(int n, const std::filesystem::path& file, QString* problem);
    // Selects file in FileListBox1 when the list shows the pictures folder; no selection otherwise.
    void SelectFileOf(const std::filesystem::path& file);

    QLineEdit* LBMIDEdit;
    QScrollBar* ScrollBar1;
    QListWidget* FileListBox1;
    QTreeWidget* DirectoryListBox22;
    QPushButton* OKButton;
    QPushButton* CancelButton;
    std::array<PictureFrame*, 9> images_{};  // LBMImageMinus4 .. TheLBMImage .. LBMImagePlus4
    QTimer* refreshTimer_;
    QHash<QString, int> fileRows_;  // FileListBox1's row of each file name, in lower case
    bool listShowsPictures_ = false;  // FileListBox1 shows the pictures folder

    int chosen_ = 5;
    QString directory_;
    std::filesystem::path picturesDir_;
    FolderIndex index_;
    std::map<int, CachedPicture> cache_;
    std::uint64_t cacheUse_ = 0;
    int filesDecoded_ = 0;
};

}  // namespace brackle
