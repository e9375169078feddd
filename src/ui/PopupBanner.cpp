#include "ui/PopupBanner.h"

#include <QMenu>
#include <QPainter>
#include <QWidget>

namespace {

class TPopupBanner : public QWidget {
public:
    TPopupBanner(const QString& caption, QMenu* menu, QWidget* parent)
        : QWidget(parent), FCaption(caption), FMenu(menu) {
        setAttribute(Qt::WA_TransparentForMouseEvents);
    }

    QSize sizeHint() const override {
        return {BannerWidth(FMenu, fontMetrics()), fontMetrics().height() + 6};
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        const QRect frame = rect().adjusted(0, 0, -1, -1);
        painter.fillRect(rect(), QColor(AppWorkspaceColour));
        painter.setPen(Qt::black);
        painter.drawRect(frame);
        QFont bold = font();
        bold.setBold(true);
        painter.setFont(bold);
        painter.setPen(Qt::white);
        const QFontMetrics metrics(bold);
        const int x = (width() - metrics.horizontalAdvance(FCaption)) / 2;
        const int top = (height() - metrics.height()) / 2;
        painter.drawText(x, top + metrics.ascent(), FCaption);
    }

private:
    QString FCaption;
    QMenu* FMenu;
};

}  // namespace

int BannerWidth(const QMenu* menu, const QFontMetrics& metrics) {
    int widest = 0;
    for (const QAction* action : menu->actions()) {
        if (action->isSeparator()) continue;
        const QString text = action->text().remove('&') + action->shortcut().toString(QKeySequence::NativeText);
        widest = std::max(widest, metrics.horizontalAdvance(text) + 20);
    }
    return widest;
}

TPopupBannerAction::TPopupBannerAction(const QString& caption, QMenu* menu)
    : QWidgetAction(menu), FMenu(menu) {
    setText(caption);
}

QWidget* TPopupBannerAction::createWidget(QWidget* parent) {
    return new TPopupBanner(text(), FMenu, parent);
}
