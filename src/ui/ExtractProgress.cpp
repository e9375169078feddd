#include "ui/ExtractProgress.h"

#include <QHBoxLayout>
#include <QLocale>
#include <QProgressBar>
#include <QPushButton>

namespace {
constexpr int BarWidth = 220;

double Fraction(uint64_t done, uint64_t total) {
    return total == 0 ? 1.0 : std::min(1.0, double(done) / double(total));
}
}  // namespace

int ProgressPerMille(const TExtractProgress& progress) {
    if (progress.EntriesTotal == 0 && progress.BytesTotal == 0) return 1000;
    const double entries = Fraction(progress.EntriesDone, progress.EntriesTotal);
    const double bytes = Fraction(progress.BytesDone, progress.BytesTotal);
    return static_cast<int>((entries + bytes) * 500.0);
}

QString ProgressText(const TExtractProgress& progress) {
    const QLocale locale;
    return QStringLiteral("%1 of %2 files, %3 of %4")
        .arg(progress.EntriesDone)
        .arg(progress.EntriesTotal)
        .arg(locale.formattedDataSize(qint64(progress.BytesDone)),
             locale.formattedDataSize(qint64(progress.BytesTotal)));
}

TExtractProgressPanel::TExtractProgressPanel(QWidget* parent) : QWidget(parent) {
    setObjectName("pnlExtractProgress");
    FBar = new QProgressBar(this);
    FBar->setObjectName("pgbExtract");
    FBar->setRange(0, 1000);
    FBar->setFixedWidth(BarWidth);
    FBar->setTextVisible(true);
    FCancel = new QPushButton("Cancel", this);
    FCancel->setObjectName("btnCancelExtract");
    FCancel->setAutoDefault(false);
    FCancel->setFocusPolicy(Qt::NoFocus);
    connect(FCancel, &QPushButton::clicked, this, [this] {
        FCancelRequested = true;
        FCancel->setEnabled(false);
    });
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(4);
    layout->addWidget(FBar);
    layout->addWidget(FCancel);
    hide();
}

void TExtractProgressPanel::Start() {
    FCancelRequested = false;
    FCancel->setEnabled(true);
    FBar->setValue(0);
    FBar->setFormat(QString());
    show();
}

void TExtractProgressPanel::Update(const TExtractProgress& progress) {
    FBar->setValue(ProgressPerMille(progress));
    FBar->setFormat(ProgressText(progress));
}

void TExtractProgressPanel::Finish() { hide(); }
