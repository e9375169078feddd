#include "ui/FileViews.h"

#include "ui/DragOut.h"
#include "ui/FileListModel.h"

#include <QApplication>
#include <QHeaderView>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QStyledItemDelegate>

void TTypeAhead::Search(QAbstractItemView* view, const QString& typed) {
    const auto* model = qobject_cast<const TFileListModel*>(view->model());
    if (!model || typed.isEmpty()) return;
    const bool continuing = FTimer.isValid() && FTimer.elapsed() < QApplication::keyboardInputInterval();
    FText = continuing ? FText + typed : typed;
    FTimer.start();

    const QModelIndex current = view->currentIndex();
    const int start = !current.isValid() ? 0 : continuing ? current.row() : current.row() + 1;
    const int row = FindRowByPrefix(model->Rows(), FText, start, true);
    if (row < 0) return;
    const QModelIndex found = model->index(row, 0);
    view->selectionModel()->setCurrentIndex(
        found, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    view->scrollTo(found);
}

TListKey ClassifyListKey(const QKeyEvent* event) {
    const auto modifiers = event->modifiers() & ~Qt::KeypadModifier;
    if (modifiers != Qt::NoModifier) return TListKey::None;
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return TListKey::Activate;
    case Qt::Key_Backspace:
        return TListKey::Parent;
    default:
        return TListKey::None;
    }
}

bool StartsDragOut(const QAbstractItemView* view, const QMouseEvent* event, const QPoint& pressedAt) {
    if (!(event->buttons() & (Qt::LeftButton | Qt::RightButton))) return false;
    if (!DragThresholdPassed(pressedAt, event->position().toPoint())) return false;
    return view->selectionModel() && view->selectionModel()->hasSelection();
}

bool PressHitsSelection(const QAbstractItemView* view, const QMouseEvent* event) {
    if (event->modifiers() != Qt::NoModifier || !view->selectionModel()) return false;
    const QModelIndex index = view->indexAt(event->position().toPoint());
    return index.isValid() && view->selectionModel()->isSelected(index);
}

void TDragOutTracker::Press(const QMouseEvent* event, bool onSelectedRow) {
    FPressedAt = event->position().toPoint();
    FRightHeld = event->button() == Qt::RightButton;
    FOnSelectedRow = onSelectedRow && (event->button() == Qt::LeftButton || FRightHeld);
    FMenuAt.reset();
}

bool TDragOutTracker::HoldsMove(const QMouseEvent* event) const {
    return FOnSelectedRow && (event->buttons() & (Qt::LeftButton | Qt::RightButton));
}

bool TDragOutTracker::Move(const QAbstractItemView* view, const QMouseEvent* event) {
    if (!StartsDragOut(view, event, FPressedAt)) return false;
    FMenuAt.reset();
    FRightHeld = false;
    FOnSelectedRow = false;
    return true;
}

bool TDragOutTracker::HoldBackMenu(const QEvent* event) {
    if (event->type() != QEvent::ContextMenu || !FRightHeld) return false;
    const auto* menu = static_cast<const QContextMenuEvent*>(event);
    if (menu->reason() != QContextMenuEvent::Mouse) return false;
    FMenuAt = menu->pos();
    return true;
}

std::optional<QPoint> TDragOutTracker::Release(const QMouseEvent* event) {
    if (!(event->buttons() & (Qt::LeftButton | Qt::RightButton))) FOnSelectedRow = false;
    if (event->button() != Qt::RightButton) return std::nullopt;
    FRightHeld = false;
    return std::exchange(FMenuAt, std::nullopt);
}

namespace {
// Measuring a row must not read the detail fields of rows nobody looks at,
// so the detail columns are measured on a sample text instead of the row.
class TDetailsDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        if (index.column() < ColRatio) return QStyledItemDelegate::sizeHint(option, index);
        const QFontMetrics metrics(option.font);
        return {metrics.horizontalAdvance(QStringLiteral("DEADBEEF")) + 8, metrics.height() + 2};
    }
};

// With uniform sizes every item takes the size of one item measured once; it
// is made the grid cell's width, so names are cut at the cell and not at the
// width of whichever name was measured.
class TIconDelegate : public QStyledItemDelegate {
public:
    explicit TIconDelegate(QListView* view) : QStyledItemDelegate(view), FView(view) {}
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        QSize size = QStyledItemDelegate::sizeHint(option, index);
        if (FView->gridSize().isValid())
            size.setWidth(FView->gridSize().width() - 6);
        return size;
    }

private:
    QListView* FView;
};
}  // namespace

TFileDetailsView::TFileDetailsView(QWidget* parent) : QTreeView(parent) {
    setItemDelegate(new TDetailsDelegate(this));
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setUniformRowHeights(true);
    setAllColumnsShowFocus(true);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setContextMenuPolicy(Qt::CustomContextMenu);
    header()->setSectionsClickable(true);
    header()->setSortIndicatorShown(false);
    header()->setSectionsMovable(false);
    header()->setStretchLastSection(false);
}

void TFileDetailsView::keyboardSearch(const QString& search) { FTypeAhead.Search(this, search); }

void TFileDetailsView::keyPressEvent(QKeyEvent* event) {
    switch (ClassifyListKey(event)) {
    case TListKey::Activate: emit activateRequested(); return;
    case TListKey::Parent: emit parentRequested(); return;
    case TListKey::None: QTreeView::keyPressEvent(event); return;
    }
}

TFileIconView::TFileIconView(QWidget* parent) : QListView(parent) {
    // Uniform sizes keep the layout from asking every row for its size.
    setUniformItemSizes(true);
    setItemDelegate(new TIconDelegate(this));
    setMovement(QListView::Static);
    setResizeMode(QListView::Adjust);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setContextMenuPolicy(Qt::CustomContextMenu);
}

void TFileIconView::keyboardSearch(const QString& search) { FTypeAhead.Search(this, search); }

void TFileIconView::keyPressEvent(QKeyEvent* event) {
    switch (ClassifyListKey(event)) {
    case TListKey::Activate: emit activateRequested(); return;
    case TListKey::Parent: emit parentRequested(); return;
    case TListKey::None: QListView::keyPressEvent(event); return;
    }
}

void TFileDetailsView::mousePressEvent(QMouseEvent* event) {
    FDragOut.Press(event, PressHitsSelection(this, event));
    QTreeView::mousePressEvent(event);
}

void TFileDetailsView::mouseMoveEvent(QMouseEvent* event) {
    if (FDragOut.Move(this, event)) {
        emit dragOutRequested();
        return;
    }
    if (FDragOut.HoldsMove(event)) return;
    QTreeView::mouseMoveEvent(event);
}

void TFileDetailsView::mouseReleaseEvent(QMouseEvent* event) {
    QTreeView::mouseReleaseEvent(event);
    if (const std::optional<QPoint> menuAt = FDragOut.Release(event)) emit customContextMenuRequested(*menuAt);
}

bool TFileDetailsView::viewportEvent(QEvent* event) {
    if (FDragOut.HoldBackMenu(event)) return true;
    return QTreeView::viewportEvent(event);
}

void TFileIconView::mousePressEvent(QMouseEvent* event) {
    FDragOut.Press(event, PressHitsSelection(this, event));
    QListView::mousePressEvent(event);
}

void TFileIconView::mouseMoveEvent(QMouseEvent* event) {
    if (FDragOut.Move(this, event)) {
        emit dragOutRequested();
        return;
    }
    if (FDragOut.HoldsMove(event)) return;
    QListView::mouseMoveEvent(event);
}

void TFileIconView::mouseReleaseEvent(QMouseEvent* event) {
    QListView::mouseReleaseEvent(event);
    if (const std::optional<QPoint> menuAt = FDragOut.Release(event)) emit customContextMenuRequested(*menuAt);
}

bool TFileIconView::viewportEvent(QEvent* event) {
    if (FDragOut.HoldBackMenu(event)) return true;
    return QListView::viewportEvent(event);
}
