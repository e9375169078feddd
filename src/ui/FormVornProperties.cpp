#include "ui/FormVornProperties.h"

#include "app/InfoRows.h"
#include "ui/KeyValueGrid.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

constexpr int BorderWidth = 6;
constexpr int PageBorderWidth = 8;
const QSize ClientSize(385, 423);
const QSize TabsSize(385, 390);
const QSize ButtonSize(75, 25);

// A read-only edit with its label above it.
QLineEdit* AddLabeledEdit(QVBoxLayout* page, const QString& caption) {
    auto* label = new QLabel(caption);
    auto* edit = new QLineEdit;
    edit->setReadOnly(true);
    edit->setMinimumWidth(345);
    label->setBuddy(edit);
    page->addWidget(label);
    page->addWidget(edit);
    page->addSpacing(4);
    return edit;
}

}  // namespace

TfrmVornProperties::TfrmVornProperties(const TVornFile& vorn, QWidget* parent) : QDialog(parent) {
    setObjectName("frmVornProperties");
    setWindowTitle("Vorn Info");
    CreateControls();
    Fill(vorn);
}

void TfrmVornProperties::CreateControls() {
    pcTabs = new QTabWidget;
    pcTabs->setObjectName("pcTabs");
    pcTabs->setMinimumSize(TabsSize);

    auto* general = new QWidget;
    general->setObjectName("TabSheet1");
    auto* generalLayout = new QVBoxLayout(general);
    generalLayout->setContentsMargins(PageBorderWidth, PageBorderWidth, PageBorderWidth, PageBorderWidth);
    generalLayout->setSpacing(2);
    LabeledEdit1 = AddLabeledEdit(generalLayout, "Title");
    LabeledEdit2 = AddLabeledEdit(generalLayout, "Copyright");
    LabeledEdit3 = AddLabeledEdit(generalLayout, "Author");
    LabeledEdit4 = AddLabeledEdit(generalLayout, "Build Info");
    auto* label1 = new QLabel("Description");
    label1->setObjectName("Label1");
    generalLayout->addWidget(label1);
    Memo1 = new QPlainTextEdit;
    Memo1->setObjectName("Memo1");
    Memo1->setReadOnly(true);
    Memo1->setMinimumHeight(141);
    label1->setBuddy(Memo1);
    generalLayout->addWidget(Memo1, 1);
    pcTabs->addTab(general, "&General");

    auto* advanced = new QWidget;
    advanced->setObjectName("TabSheet2");
    auto* advancedLayout = new QVBoxLayout(advanced);
    advancedLayout->setContentsMargins(PageBorderWidth, PageBorderWidth, PageBorderWidth, PageBorderWidth);
    ValueListEditor1 = CreateKeyValueGrid(124, 231, false);
    ValueListEditor1->setObjectName("ValueListEditor1");
    advancedLayout->addWidget(ValueListEditor1);
    pcTabs->addTab(advanced, "&Advanced");
    pcTabs->setCurrentIndex(0);

    btnClose = new QPushButton("&Close");
    btnClose->setObjectName("btnClose");
    btnClose->setFixedSize(ButtonSize);
    btnClose->setAutoDefault(false);
    connect(btnClose, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnClose);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(BorderWidth, BorderWidth, BorderWidth, BorderWidth);
    layout->setSpacing(8);
    layout->addWidget(pcTabs, 1);
    layout->addLayout(buttons);

    LabeledEdit1->setObjectName("LabeledEdit1");
    LabeledEdit2->setObjectName("LabeledEdit2");
    LabeledEdit3->setObjectName("LabeledEdit3");
    LabeledEdit4->setObjectName("LabeledEdit4");
    // Tab order of the first page: Title, Copyright, Author, the memo, Build Info.
    setTabOrder(LabeledEdit1, LabeledEdit2);
    setTabOrder(LabeledEdit2, LabeledEdit3);
    setTabOrder(LabeledEdit3, Memo1);
    setTabOrder(Memo1, LabeledEdit4);
    Memo1->setTabChangesFocus(true);

    const QSize border(2 * BorderWidth, 2 * BorderWidth);
    setFixedSize((ClientSize + border).expandedTo(sizeHint()));

    // Key preview: Escape closes the dialog whichever control has the focus.
    for (QWidget* child : findChildren<QWidget*>()) child->installEventFilter(this);
}

void TfrmVornProperties::Fill(const TVornFile& vorn) {
    const THeaderTexts texts = HeaderTexts(vorn);
    LabeledEdit1->setText(texts.Title);
    LabeledEdit2->setText(texts.Copyright);
    LabeledEdit3->setText(texts.Author);
    LabeledEdit4->setText(texts.BuildInfo);
    Memo1->setPlainText(texts.Description);
    for (QLineEdit* edit : {LabeledEdit1, LabeledEdit2, LabeledEdit3, LabeledEdit4}) edit->setCursorPosition(0);
    SetKeyValueRows(ValueListEditor1, HeaderInfoRows(vorn.Header()));
}

int TfrmVornProperties::Execute() {
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    return exec();
}

bool TfrmVornProperties::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        reject();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}
