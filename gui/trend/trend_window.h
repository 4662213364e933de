#pragma once
// The trend window: the live values of the status answers plotted against
// time, and their recording to a CSV file. It costs the status answer only
// a sample in the ring (and a line in the recording's buffer); the plot is
// drawn from a slow timer while the window is shown and not paused.

#include <QStringList>
#include <QWidget>

#include "core/device/records.h"
#include "core/trend/trend_buffer.h"
#include "core/trend/trend_csv.h"
#include "core/trend/trend_recorder.h"
#include "gui/trend/trend_plot.h"

class QComboBox;
class QLabel;
class QPushButton;
class QTimer;

namespace velmar {

struct InstrumentContext;
class TrendHistory;

class TForm_Trend : public QWidget {
    Q_OBJECT
public:
    // Shows the history's samples, those before it was built too.
    TForm_Trend(InstrumentContext& ctx, TrendHistory& history);
    ~TForm_Trend() override;

    // Redrawn twice a second in the shortest window; the longer ones move
    // by less than a pixel in that time and are redrawn less often.
    static constexpr int kRedrawMs = 500;

    QComboBox* ComboBox_TrendWindow;
    QPushButton* SpeedButton_TrendPause;
    QPushButton* SpeedButton_TrendRecord;
    QLabel* Label_TrendRecordState;
    QPushButton* Button_TrendExportPng;
    QLabel* Label_TrendCursor;
    // The plots; nullptr where their module cannot be loaded, and a note
    // saying so stands in their place.
    TrendPlot* chart;

    // The header's button: shown centred on the main window.
    void Open();
    // Records into the file from now on; false after telling the user why.
    bool StartRecording(const QString& path);
    void StopRecording();
    [[nodiscard]] bool ExportPng(const QString& path, QString* error = nullptr);
    // "--open-trend=FILE.csv" opens the window recording into FILE.csv (for
    // measuring the program's load with both running).
    void OpenFromArguments(const QStringList& arguments);

    // The timer's work: the lost link as a gap, the recording written out,
    // the plot redrawn (here always, from the timer when it is due).
    void Tick();
    // The text of the cursor line for a time.
    QString CursorText(double timeMs) const;

    const TrendRing& Ring() const;
    // The name a recording or a picture is offered under: "velmar_PX330_004711_20261211_104233.csv".
    QString DefaultFileName(const char* suffix) const;
    const TrendRecorder& Recorder() const { return recorder_; }

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    // A sample added to the history goes into the recording.
    void Record(const TrendSample& s);
    void TimerTick();
    // The lost link as a gap, the recording written out.
    void KeepUp(int64_t nowMs);
    void Redraw();
    void UpdateTimer();
    void UpdateContext();
    // The unit of the measured value as the header shows it, empty when not known.
    QString ShownUnit() const;
    void ShowRecordState();
    void SetSpan(int index);
    void RecordClicked(bool checked);
    void ExportClicked();

    InstrumentContext& ctx_;
    TrendHistory& history_;
    TrendThinner thinner_;
    TrendRecorder recorder_;
    CsvContext context_;
    QTimer* timer_;
    uint16_t contextDevice_ = 0;
    uint32_t contextSerial_ = 0;
    uint16_t contextMade_ = 0;
    bool contextKnown_ = false;
    QString unit_;
    int64_t redrawnAt_ = 0;
    QWidget* chartWidget_;
};

}  // namespace velmar
