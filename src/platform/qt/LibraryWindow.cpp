#include "platform/qt/LibraryWindow.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QEventLoop>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QMimeData>
#include <QPainter>
#include <QPixmap>
#include <QProgressDialog>
#include <QPushButton>
#include <QShortcut>
#include <QStyle>
#include <QStyledItemDelegate>
#include <QUrl>
#include <QVBoxLayout>
#include <QWidget>

#include "platform/qt/QtDialogs.h"

namespace tw::platform {

namespace {

constexpr int kPictureWidth = 160;
constexpr int kPictureHeight = 120;
constexpr int kFolderRole = Qt::UserRole;
constexpr int kMissingRole = Qt::UserRole + 1;
constexpr int kResumeRole = Qt::UserRole + 2;

QString Q(const std::string& text) { return QString::fromStdString(text); }

// The picture fitted into the row's picture cell, centred on a dark plate so rows line up.
QIcon RowPicture(const std::string& path, bool missing) {
  QPixmap plate(kPictureWidth, kPictureHeight);
  plate.fill(QColor(32, 32, 32));
  QImage picture;
  if (!path.empty() && picture.load(Q(path))) {
    picture = picture.scaled(kPictureWidth, kPictureHeight, Qt::KeepAspectRatio,
                             Qt::SmoothTransformation);
    if (missing) picture = picture.convertToFormat(QImage::Format_Grayscale8);
    QPainter painter(&plate);
    painter.drawImage((kPictureWidth - picture.width()) / 2,
                      (kPictureHeight - picture.height()) / 2, picture);
  }
  QIcon icon;
  icon.addPixmap(plate, QIcon::Normal);
  icon.addPixmap(plate, QIcon::Selected);
  return icon;
}

// A row: the picture on the left, then the title in bold and larger, the folder and the
// history of play, each on a line of its own.
class RowDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;

  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex&) const override {
    return QSize(option.rect.width(), kPictureHeight + 8);
  }

  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override {
    QStyleOptionViewItem plain = option;
    initStyleOption(&plain, index);
    plain.text.clear();
    plain.icon = QIcon();
    // The selection and focus look of the style, then the row's own content.
    plain.widget->style()->drawControl(QStyle::CE_ItemViewItem, &plain, painter, plain.widget);
    const QRect r = option.rect.adjusted(4, 4, -4, -4);
    index.data(Qt::DecorationRole).value<QIcon>().paint(
        painter, QRect(r.topLeft(), QSize(kPictureWidth, kPictureHeight)));
    const bool selected = option.state & QStyle::State_Selected;
    QColor ink = option.palette.color(selected ? QPalette::HighlightedText : QPalette::Text);
    if (index.data(kMissingRole).toBool() && !selected) {
      ink = option.palette.color(QPalette::Disabled, QPalette::Text);
    }
    const QStringList lines = index.data(Qt::DisplayRole).toString().split('\n');
    QRect text = r.adjusted(kPictureWidth + 12, 8, 0, 0);
    painter->save();
    painter->setPen(ink);
    QFont title = option.font;
    title.setBold(true);
    title.setPointSizeF(title.pointSizeF() * 1.3);
    for (int i = 0; i < lines.size(); ++i) {
      painter->setFont(i == 0 ? title : option.font);
      const QFontMetrics metrics(painter->font());
      painter->drawText(text, Qt::AlignLeft | Qt::AlignTop,
                        metrics.elidedText(lines[i], Qt::ElideMiddle, text.width()));
      text.setTop(text.top() + metrics.lineSpacing() + (i == 0 ? 6 : 2));
    }
    painter->restore();
  }
};

void Tell(QWidget* parent, const std::string& text, MsgIcon icon = MsgIcon::Information) {
  if (text.empty()) return;
  RunMessageBox(MakeBox(kLibraryTitle, text, icon, MsgButtons::Ok), parent);
  // Keys go back to the library (without a window manager nobody else gives it the focus).
  parent->activateWindow();
}

}  // namespace

class LibraryWindow::View : public QWidget {
 public:
  explicit View(LibraryActions actions) : actions_(std::move(actions)) {
    setWindowTitle(kLibraryTitle);
    setAcceptDrops(true);
    resize(720, 560);

    list_ = new QListWidget(this);
    list_->setIconSize(QSize(kPictureWidth, kPictureHeight));
    list_->setUniformItemSizes(true);
    list_->setItemDelegate(new RowDelegate(list_));
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    empty_ = new QLabel(
        "No games yet.\nAdd a game's folder with \"Add Game...\", let \"Scan Folder...\" find "
        "the games below a folder, or drop a game's folder here.",
        this);
    empty_->setAlignment(Qt::AlignCenter);
    empty_->setWordWrap(true);

    play_ = new QPushButton("&Play", this);
    resume_ = new QPushButton("&Resume", this);
    resume_->setToolTip("Play on from the newest saved game (R)");
    auto* add = new QPushButton("&Add Game...", this);
    auto* scan = new QPushButton("&Scan Folder...", this);
    locate_ = new QPushButton("&Locate...", this);
    remove_ = new QPushButton("Re&move", this);

    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {play_, resume_}) buttons->addWidget(b);
    buttons->addStretch(1);
    for (QPushButton* b : {add, scan, locate_, remove_}) buttons->addWidget(b);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(list_, 1);
    layout->addWidget(empty_, 1);
    layout->addLayout(buttons);

    connect(list_, &QListWidget::itemActivated, this, [this] { choose(Choice::Play); });
    connect(list_, &QListWidget::currentRowChanged, this, [this] { updateButtons(); });
    connect(play_, &QPushButton::clicked, this, [this] { choose(Choice::Play); });
    connect(resume_, &QPushButton::clicked, this, [this] { choose(Choice::Resume); });
    connect(add, &QPushButton::clicked, this, [this] { addByDialog(); });
    connect(scan, &QPushButton::clicked, this, [this] { scanByDialog(); });
    connect(locate_, &QPushButton::clicked, this, [this] { locate(); });
    connect(remove_, &QPushButton::clicked, this, [this] { removeCurrent(); });
    // Single keys the list would otherwise take for its keyboard search.
    auto* r = new QShortcut(QKeySequence(Qt::Key_R), this);
    connect(r, &QShortcut::activated, this, [this] { choose(Choice::Resume); });
    auto* quit = new QShortcut(QKeySequence::Quit, this);
    connect(quit, &QShortcut::activated, this, [this] { close(); });
    auto* del = new QShortcut(QKeySequence::Delete, this);
    connect(del, &QShortcut::activated, this, [this] { removeCurrent(); });
  }

  Result run(const std::string& message) {
    result_ = Result{};
    refresh();
    show();
    raise();
    activateWindow();
    list_->setFocus();
    Tell(this, message, MsgIcon::Warning);
    if (result_.choice == Choice::Close && isVisible()) loop_.exec();
    return result_;
  }

 protected:
  void closeEvent(QCloseEvent* event) override {
    result_ = Result{};
    loop_.quit();
    event->accept();
  }

  void dragEnterEvent(QDragEnterEvent* event) override {
    if (!droppedFolders(event->mimeData()).isEmpty()) event->acceptProposedAction();
  }

  void dropEvent(QDropEvent* event) override {
    const QStringList folders = droppedFolders(event->mimeData());
    event->acceptProposedAction();
    std::string said;
    std::string last;
    for (const QString& folder : folders) {
      last = folder.toStdString();
      const std::string problem = actions_.add(last);
      if (!problem.empty()) said += (said.empty() ? "" : "\n") + problem;
    }
    refresh(last);
    Tell(this, said, MsgIcon::Warning);
  }

 private:
  static QStringList droppedFolders(const QMimeData* data) {
    QStringList folders;
    if (!data || !data->hasUrls()) return folders;
    for (const QUrl& url : data->urls()) {
      if (url.isLocalFile() && QFileInfo(url.toLocalFile()).isDir()) {
        folders << url.toLocalFile();
      }
    }
    return folders;
  }

  // Fills the list again, keeping (or choosing) the current game.
  void refresh(std::string select = "") {
    if (select.empty() && list_->currentItem()) {
      select = list_->currentItem()->data(kFolderRole).toString().toStdString();
    }
    list_->clear();
    for (const LibraryRow& row : actions_.rows()) {
      QString text = Q(row.title.empty() ? "(no title)" : row.title) + "\n" + Q(row.folder);
      text += "\n" + Q(row.missing ? "Folder not found: Locate... or Remove" : row.details);
      auto* item = new QListWidgetItem(RowPicture(row.picturePath, row.missing), text, list_);
      item->setData(kFolderRole, Q(row.folder));
      item->setData(kMissingRole, row.missing);
      item->setData(kResumeRole, row.canResume);
      if (row.folder == select) list_->setCurrentItem(item);
    }
    if (!list_->currentItem() && list_->count() > 0) list_->setCurrentRow(0);
    list_->setVisible(list_->count() > 0);
    empty_->setVisible(list_->count() == 0);
    updateButtons();
  }

  void updateButtons() {
    const QListWidgetItem* item = list_->currentItem();
    const bool missing = item && item->data(kMissingRole).toBool();
    play_->setEnabled(item && !missing);
    resume_->setEnabled(item && !missing && item->data(kResumeRole).toBool());
    locate_->setEnabled(item != nullptr);
    remove_->setEnabled(item != nullptr);
  }

  std::string currentFolder() const {
    const QListWidgetItem* item = list_->currentItem();
    return item ? item->data(kFolderRole).toString().toStdString() : "";
  }

  void choose(Choice choice) {
    const QListWidgetItem* item = list_->currentItem();
    if (!item) return;
    if (item->data(kMissingRole).toBool()) {
      Tell(this, currentFolder() + " is not there any more. Locate the game's folder, or "
                 "remove the game from the library.", MsgIcon::Warning);
      return;
    }
    if (choice == Choice::Resume && !item->data(kResumeRole).toBool()) return;
    result_ = Result{choice, currentFolder()};
    loop_.quit();
  }

  std::optional<std::string> pickFolder(const char* title, const std::string& start) {
    const QString folder = QFileDialog::getExistingDirectory(this, title, Q(start));
    activateWindow();
    if (folder.isEmpty()) return std::nullopt;
    return folder.toStdString();
  }

  void addByDialog() {
    const auto folder = pickFolder("Choose the folder of a Talewick game", actions_.startFolder());
    if (!folder) return;
    const std::string problem = actions_.add(*folder);
    refresh(*folder);
    Tell(this, problem, MsgIcon::Warning);
  }

  void locate() {
    const std::string old = currentFolder();
    if (old.empty()) return;
    const auto folder = pickFolder("Where is the game's folder now?", actions_.startFolder());
    if (!folder) return;
    const std::string problem = actions_.locate(old, *folder);
    refresh(problem.empty() ? *folder : old);
    Tell(this, problem, MsgIcon::Warning);
  }

  void removeCurrent() {
    const std::string folder = currentFolder();
    if (folder.empty()) return;
    const int row = list_->currentRow();
    actions_.remove(folder);
    refresh();
    if (list_->count() > 0) list_->setCurrentRow(std::min(row, list_->count() - 1));
  }

  void scanByDialog() {
    const auto root = pickFolder("Choose a folder to look for games in", actions_.startFolder());
    if (!root) return;
    QProgressDialog progress("Looking for games...", "Cancel", 0, 0, this);
    progress.setWindowTitle(kLibraryTitle);
    // Shown at once and modal: keys and clicks meant for the library must wait for the scan.
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(0);
    progress.show();
    const std::string said =
        actions_.scan(*root, [&](int folders, int games, const std::string& folder) {
          progress.setLabelText(QString("Looking for games... %1 folders, %2 games found\n%3")
                                    .arg(folders)
                                    .arg(games)
                                    .arg(Q(folder)));
          QApplication::processEvents();
          return !progress.wasCanceled();
        });
    progress.close();
    refresh();
    Tell(this, said);
  }

  LibraryActions actions_;
  QListWidget* list_ = nullptr;
  QLabel* empty_ = nullptr;
  QPushButton* play_ = nullptr;
  QPushButton* resume_ = nullptr;
  QPushButton* locate_ = nullptr;
  QPushButton* remove_ = nullptr;
  QEventLoop loop_;
  Result result_;
};

LibraryWindow::LibraryWindow(LibraryActions actions)
    : view_(std::make_unique<View>(std::move(actions))) {}

LibraryWindow::~LibraryWindow() = default;

LibraryWindow::Result LibraryWindow::run(const std::string& message) {
  return view_->run(message);
}

void LibraryWindow::hide() { view_->hide(); }

}  // namespace tw::platform
