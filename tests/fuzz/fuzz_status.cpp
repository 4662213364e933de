// The status answer: decoded as the main window decodes it, then every text
// and trend sample made from it without a window.
#include <cmath>

#include "core/device/number_mask.h"
#include "core/device/status_codec.h"
#include "core/device/status_texts.h"
#include "core/trend/trend_buffer.h"
#include "core/trend/trend_csv.h"
#include "fuzz_support.h"

using namespace velmar;

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzz::WriteSeedsIfAsked(fuzz::PlainSeeds(kStatusAnswerSize));
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::Answer answer(data, size);
    tRX rx;
    tMSys sys;
    StatusAnswerLayout(answer.Reader(), rx, sys);
    rx.fKimenetSzazalek = ClampPercentage(rx.fKimenetSzazalek);
    rx.fKimenetSzazalek_2 = ClampPercentage(rx.fKimenetSzazalek_2);
    for (float p : {rx.fKimenetSzazalek, rx.fKimenetSzazalek_2})
        if (!(p >= -10000 && p <= 10000)) fuzz::Fail("percentage out of its range after clamping");
    SetDecimalMask(rx, rx.uDecimalPoint);
    if (!(rx.fDivider >= 1)) fuzz::Fail("divider below 1");

    std::string texts = FormatMask(rx.iSkalazottKijezesiErtek / rx.fDivider, rx.sDecimalMask);
    texts += FormatMask(rx.fFizikaiMennyiseg, rx.sDecimalMask, ",");
    texts += FormatMask(rx.fKimenetSzazalek, "##0.0");
    texts += FormatMemoryStatus(rx.uCRCOKbits) + FormatMemoryStatus(rx.uCRCOKbits2);
    texts += FormatOperatingTime(rx.uSecondsOfOperation);
    texts += SerialNumberText(rx.uDeviceID, rx.uGyariSzamEv, rx.uGyariSzamHonap);
    texts += ErrorBitsText(rx.uErrorBits);
    if (const char* unit = MeasuredUnit(rx)) texts += unit;

    // Into the trend and its recording, twice so that the ring wraps.
    static TrendRing ring(2);
    const TrendSample s = TrendSampleOf(rx, 1'700'000'000'000);
    ring.Append(s);
    ring.Append(s);
    for (int c = 0; c < kTrendChannels; ++c) {
        const double v = ChannelValue(s, c);
        if (std::isinf(v)) fuzz::Fail("trend value infinite");
    }
    CsvContext context;
    AppendCsvLine(texts, s, context);
    return 0;
}
