// The image window: a picture at its natural size in a scrolling area.
#pragma once

#include <QWidget>

class QImage;
class QLabel;
class QScrollArea;

class TForm1 : public QWidget {
    Q_OBJECT

public:
    explicit TForm1(QWidget* parent = nullptr);

    // Shows `picture` at the top-left, sizes the window for it and sets the
    // caption from the entry name.
    void SetPicture(const QImage& picture, const QString& name);
    QLabel* Image() const { return Image1; }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QScrollArea* ScrollBox1;
    QLabel* Image1;
};
