// The two views of the file list, sharing one model and one selection model:
// a table for the Details style and an icon/list view for the other three.
// Both do type-ahead with the list's own match rule and report Enter and
// Backspace to the window.
#pragma once

#include <QElapsedTimer>
#include <QListView>
#include <QTreeView>

#include <optional>

class TFileListModel;

// Type-ahead for one view: typed characters within the keyboard interval
// extend the search text and may stay on the current row; a new search
// starts after it, wrapping round at the end.
class TTypeAhead {
public:
    void Search(QAbstractItemView* view, const QString& typed);

private:
    QString FText;
    QElapsedTimer FTimer;
};

// The pointer side of dragging rows out, shared by both views: where the
// last button went down, and a pop-up menu held back while the right button
// is down, so that a right-button drag can start before the menu would open.
class TDragOutTracker {
public:
    // `onSelectedRow`: the press hit a selected row without a modifier key,
    // so it may become a drag of the whole selection.
    void Press(const QMouseEvent* event, bool onSelectedRow = false);
    // True while such a press is pending: moves below the drag distance must
    // not reach the view, whose drag-selecting would shrink the selection to
    // the row under the pointer before the drag starts.
    bool HoldsMove(const QMouseEvent* event) const;
    // True when the move starts a drag (the held-back menu is dropped then).
    bool Move(const QAbstractItemView* view, const QMouseEvent* event);
    // A menu asked for by the mouse while the right button is down waits
    // for the release; true when it was held back.
    bool HoldBackMenu(const QEvent* event);
    // The position of a held-back menu to show now, if any.
    std::optional<QPoint> Release(const QMouseEvent* event);

private:
    QPoint FPressedAt;
    bool FRightHeld = false;
    bool FOnSelectedRow = false;
    std::optional<QPoint> FMenuAt;
};

// Whether a press on `view` hits a selected row without a modifier key.
bool PressHitsSelection(const QAbstractItemView* view, const QMouseEvent* event);

class TFileDetailsView : public QTreeView {
    Q_OBJECT
public:
    explicit TFileDetailsView(QWidget* parent = nullptr);
    void keyboardSearch(const QString& search) override;

signals:
    void activateRequested();
    void parentRequested();
    // A button was held past the drag threshold over selected rows.
    void dragOutRequested();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    bool viewportEvent(QEvent* event) override;

private:
    TTypeAhead FTypeAhead;
    TDragOutTracker FDragOut;
};

class TFileIconView : public QListView {
    Q_OBJECT
public:
    explicit TFileIconView(QWidget* parent = nullptr);
    void keyboardSearch(const QString& search) override;

signals:
    void activateRequested();
    void parentRequested();
    // A button was held past the drag threshold over selected rows.
    void dragOutRequested();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    bool viewportEvent(QEvent* event) override;

private:
    TTypeAhead FTypeAhead;
    TDragOutTracker FDragOut;
};

// True when a move with the left or right button held, `pressedAt` being
// where the last button went down, should start dragging rows out.
bool StartsDragOut(const QAbstractItemView* view, const QMouseEvent* event, const QPoint& pressedAt);

enum class TListKey { None, Activate, Parent };
// What a key press in the file list asks the window for.
TListKey ClassifyListKey(const QKeyEvent* event);
