#include "link/monitor_page.h"

#include <QFont>
#include <QFontMetrics>
#include <QPlainTextEdit>
#include <QTextDocument>
#include <QtMath>

#include <initializer_list>

namespace velmar {

namespace {

// Courier New is missing on most Linux systems; the hint lets the font
// matcher fall back to another fixed-pitch face so the dump columns align.
void preferFixedPitch(QWidget* w) {
    QFont f = w->font();
    f.setStyleHint(QFont::TypeWriter);
    f.setFixedPitch(true);
    w->setFont(f);
}

// A 64-byte dump is 191 characters that wrap only at blanks; 56 columns
// by four lines hold it whole, so the dump never needs scrolling.
void fitDump(QPlainTextEdit* memo) {
    constexpr int kColumns = 56;
    constexpr int kLines = 4;
    const QFontMetrics metrics(memo->font());
    const int chrome = 2 * (memo->frameWidth() + qCeil(memo->document()->documentMargin()));
    memo->setMinimumWidth(metrics.horizontalAdvance(QString(kColumns, u'0')) + chrome);
    memo->setFixedHeight(metrics.lineSpacing() * kLines + chrome);
}

}  // namespace

MonitorPage::MonitorPage(QWidget* parent) : QWidget(parent) {
    ui.setupUi(this);
    for (QWidget* w : std::initializer_list<QWidget*>{ui.Label_VendorID, ui.Label_ProductID,
                                                     ui.Memo_MBUTx, ui.Memo_MBURx})
        preferFixedPitch(w);
    fitDump(ui.Memo_MBUTx);
    fitDump(ui.Memo_MBURx);
    // Shown only while the command payload buffer is full.
    ui.Label_TXBufferIsFull->hide();
}

}  // namespace velmar
