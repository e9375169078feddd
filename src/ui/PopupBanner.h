// The banner at the top of the file list's pop-up menu: the caption in white
// bold type on the application-workspace colour inside a black frame, as wide
// as the widest item of the menu.
#pragma once

#include <QColor>
#include <QWidgetAction>

class QMenu;

// The system's application-workspace colour (Qt has no role for it).
constexpr QRgb AppWorkspaceColour = qRgb(128, 128, 128);

class TPopupBannerAction : public QWidgetAction {
    Q_OBJECT
public:
    TPopupBannerAction(const QString& caption, QMenu* menu);

protected:
    QWidget* createWidget(QWidget* parent) override;

private:
    QMenu* FMenu;
};

// Width the banner asks for: for each item, its caption followed at once by
// its shortcut text, plus 20 pixels; the largest of these.
int BannerWidth(const QMenu* menu, const QFontMetrics& metrics);
