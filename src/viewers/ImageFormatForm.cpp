#include "viewers/ImageFormatForm.h"

#include "viewers/RawTexture.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPixmap>
#include <QScrollArea>
#include <QVBoxLayout>

TForm1::TForm1(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName("Form1");
    ScrollBox1 = new QScrollArea(this);
    ScrollBox1->setObjectName("ScrollBox1");
    ScrollBox1->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    ScrollBox1->setWidgetResizable(false);
    ScrollBox1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    ScrollBox1->installEventFilter(this);

    Image1 = new QLabel;
    Image1->setObjectName("Image1");
    Image1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Image1->setScaledContents(false);
    ScrollBox1->setWidget(Image1);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(ScrollBox1);
}

void TForm1::SetPicture(const QImage& picture, const QString& name) {
    Image1->setPixmap(QPixmap::fromImage(picture));
    Image1->resize(picture.size());
    resize(ImageWindowClientSize(picture.size()));
    setWindowTitle(name + QStringLiteral(" - Image Viewer"));
}

void TForm1::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

bool TForm1::eventFilter(QObject* watched, QEvent* event) {
    // Key presses reach the window before the scrolling area.
    if (watched == ScrollBox1 && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        close();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}
