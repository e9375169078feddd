#include "ui/FormOverwriteDlg.h"

#include "app/ExtractOptions.h"
#include "app/FileRows.h"
#include "archive/VornFunctions.h"

#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
constexpr int BorderWidth = 8;
const QSize ClientSize(449, 213);
const QSize ButtonSize(75, 25);
constexpr int EntryIndent = 24;

// The long time format without its zone part: file times are local times.
QString LongTimeFormat(const QLocale& locale) {
    QString out;
    bool quoted = false;
    for (const QChar c : locale.timeFormat(QLocale::LongFormat)) {
        if (c == '\'') quoted = !quoted;
        if (!quoted && c == 't') continue;
        out += c;
    }
    return out.simplified();
}

void DrawDocument(QPainter& painter, const QRectF& page) {
    const qreal fold = 4;
    QPainterPath outline;
    outline.moveTo(page.topLeft());
    outline.lineTo(page.right() - fold, page.top());
    outline.lineTo(page.right(), page.top() + fold);
    outline.lineTo(page.bottomRight());
    outline.lineTo(page.bottomLeft());
    outline.closeSubpath();
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(Qt::white);
    painter.drawPath(outline);
    painter.setPen(QPen(Qt::gray, 1));
    for (qreal y = page.top() + 4; y < page.bottom() - 2; y += 3)
        painter.drawLine(QPointF(page.left() + 2, y), QPointF(page.right() - 3, y));
}
}  // namespace

QString ExistingFileText(const TOverwriteQuestion& question) {
    const QString size = QString::number(question.ExistingSize);
    if (!question.ExistingTime || !question.ExistingTime->isValid()) return size + "\n???";
    const QLocale locale = QLocale::system();
    const QDateTime& time = *question.ExistingTime;
    return size + '\n' + locale.toString(time.date(), locale.dateFormat(QLocale::ShortFormat)) + ' ' +
           locale.toString(time.time(), LongTimeFormat(locale));
}

QString ArchiveEntryText(const TOverwriteQuestion& question) {
    const std::optional<TDosDateTime> stored = FileTimeToDateTime(question.EntryFileTime);
    const QString time = stored ? TDateTimeFormat(QLocale::system()).Format(*stored) : QString();
    return QString::fromStdString(CardinalToStr(question.EntrySize)) + '\n' + time;
}

QPixmap ReplaceFilePicture() {
    QPixmap picture(32, 32);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    DrawDocument(painter, QRectF(1.5, 1.5, 14, 18));    // the file on disk, behind
    DrawDocument(painter, QRectF(16.5, 12.5, 14, 18));  // the file from the archive
    painter.setPen(QPen(QColor(220, 0, 0), 2));
    painter.drawLine(QPointF(2, 2), QPointF(15, 19));
    painter.drawLine(QPointF(15, 2), QPointF(2, 19));
    painter.setPen(QPen(QColor(0, 0, 160), 1.5));
    painter.setBrush(Qt::NoBrush);
    QPainterPath arrows;
    arrows.moveTo(18, 9);
    arrows.quadTo(24, 3, 27, 10);
    arrows.moveTo(13, 24);
    arrows.quadTo(6, 29, 4, 22);
    painter.drawPath(arrows);
    painter.drawLine(QPointF(27, 10), QPointF(24.5, 8.5));
    painter.drawLine(QPointF(27, 10), QPointF(28, 7));
    painter.drawLine(QPointF(4, 22), QPointF(3, 25));
    painter.drawLine(QPointF(4, 22), QPointF(6.5, 23.5));
    return picture;
}

TfrmOverwriteDlg::TfrmOverwriteDlg(QWidget* parent) : QDialog(parent) {
    setObjectName("frmOverwriteDlg");
    setWindowTitle("Overwrite existing file?");
    CreateControls();
}

void TfrmOverwriteDlg::CreateControls() {
    Image1 = new QLabel;
    Image1->setObjectName("Image1");
    Image1->setPixmap(ReplaceFilePicture());
    Image1->setFixedSize(32, 32);
    lblCaption = new QLabel;
    lblCaption->setObjectName("lblCaption");
    lblText1 = new QLabel("Do you want to replace the existing file:");
    lblText1->setObjectName("lblText1");
    lblEntry1 = new QLabel;
    lblEntry1->setObjectName("lblEntry1");
    lblText2 = new QLabel("with this one?");
    lblText2->setObjectName("lblText2");
    lblEntry2 = new QLabel;
    lblEntry2->setObjectName("lblEntry2");
    for (QLabel* label : {lblCaption, lblText1, lblEntry1, lblText2, lblEntry2})
        label->setTextFormat(Qt::PlainText);

    btnYes = new QPushButton("&Yes");
    btnNo = new QPushButton("&No");
    btnYesToAll = new QPushButton("Yes to &All");
    btnNoToAll = new QPushButton("No &to All");
    btnOnlyOlder = new QPushButton("&Only Older");
    const std::pair<QPushButton*, int> answers[] = {
        {btnYes, oaYes}, {btnNo, oaNo}, {btnYesToAll, oaYesToAll}, {btnNoToAll, oaNoToAll}, {btnOnlyOlder, oaOnlyOlder}};
    const char* const names[] = {"btnYes", "btnNo", "btnYesToAll", "btnNoToAll", "btnOnlyOlder"};
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    int i = 0;
    for (const auto& [button, answer] : answers) {
        button->setObjectName(names[i++]);
        button->setMinimumSize(ButtonSize);
        button->setAutoDefault(false);
        const int code = answer;
        connect(button, &QPushButton::clicked, this, [this, code] { done(code); });
        buttons->addWidget(button);
    }
    btnYes->setDefault(true);

    auto* texts = new QGridLayout;
    texts->setColumnMinimumWidth(0, EntryIndent);
    texts->setColumnStretch(1, 1);
    texts->addWidget(lblText1, 0, 0, 1, 2);
    texts->addWidget(lblEntry1, 1, 1);
    texts->addWidget(lblText2, 2, 0, 1, 2);
    texts->addWidget(lblEntry2, 3, 1);
    texts->setVerticalSpacing(6);
    auto* right = new QVBoxLayout;
    right->addWidget(lblCaption);
    right->addSpacing(8);
    right->addLayout(texts);
    auto* top = new QHBoxLayout;
    top->setSpacing(12);
    top->addWidget(Image1, 0, Qt::AlignTop);
    top->addLayout(right, 1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(BorderWidth, BorderWidth, BorderWidth, BorderWidth);
    layout->addLayout(top);
    layout->addStretch();
    layout->addLayout(buttons);

    const QSize border(2 * BorderWidth, 2 * BorderWidth);
    setFixedSize((ClientSize + border).expandedTo(sizeHint()));
}

void TfrmOverwriteDlg::SetQuestion(const TOverwriteQuestion& question) {
    lblCaption->setText(QFileInfo(question.ExistingPath).fileName() + " already exists.");
    lblEntry1->setText(ExistingFileText(question));
    lblEntry2->setText(ArchiveEntryText(question));
}
