#pragma once
// The four records the main window keeps about the attached instrument.
// Answer decoders fill tRX, payload builders fill tTX; views read the records
// and never the payload. Field names and order are fixed (the rest of the
// program refers to them by name); the order says nothing about the wire.
// Everything starts at zero except the few initial values set below.
//
// "Implied decimals": an integer holding the value times 10^uDecimalPoint,
// shown as value / fDivider with sDecimalMask.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace velmar {

inline constexpr std::size_t kTagnameBytes = 22;  // 21 characters + zero
inline constexpr std::size_t kDimensionBytes = 9;  // 8 characters + zero
inline constexpr std::size_t kBitmapBytes = 1024;  // 128 x 64 pixels, 1 bit each

// Values received from the instrument.
struct tRX {
    int32_t iRawADCData{};
    int32_t iAveragedADCData{};
    int32_t iCalLow1{};  // 0 mA input, 0 ohm 4-wire PX310, 4 mA PX210, or timer time base (~600000)
    int32_t iCalHigh1{};  // 20 mA (analog input), 490 / Pt1000 4900 ohm 4-wire (PX310), 20 mA (PX210)
    int32_t iCalLow2{};  // 0 V (analog input), 110 / Pt1000 1100 ohm 3-wire (PX310)
    int32_t iCalHigh2{};  // 10 V (analog input)
    uint32_t uErrorBits{};  // bits 0..8 appear in the errors dialog; bit 1 = output uncalibrated
    float fFizikaiMennyiseg{};  // in the input's own unit: mA, V or ohm
    float fKimenetSzazalek{};  // value 1 in its range, 1.0 = 100 %; above 10000 or NaN kept as 10000
    float fKimenetSzazalek_2{};  // the same for value 2
    int32_t iSkalazottKijezesiErtek{};  // displayed value 1, uDecimalPoint implied decimals
    int32_t iSkalazottKijezesiErtek_2{};  // displayed value 2, same scaling
    uint8_t uInputType{};  // 0..4: 4-20 mA, 0-20 mA, 0-10 V, 0-5 V, 2-10 V; PX350 1..3 AC, 4..7 DC
    uint8_t uDecimalPoint{};  // 0..4, selects sDecimalMask / fDivider
    uint8_t uBrightness{};  // settings set: step 1..10; PX530 display settings: percent 10..100
    std::array<uint8_t, kTagnameBytes> uTagnameText{};  // Latin-1, zero-terminated; DecodeDeviceText
    std::array<uint8_t, kDimensionBytes> uDimensionText{};  // Latin-1, zero-terminated
    bool bLeaderZeros{};
    uint8_t uAverageIndex{};  // refresh item index of the averaging count 1, 5, 8, 16, 24, 40 -> 0..5
    uint16_t uPWMForIL{};  // PWM stored for 4 mA
    uint16_t uPWMForIH{};  // PWM stored for 20 mA
    uint16_t uPWMForUL{};  // PWM stored for 2 V
    uint16_t uPWMForUH{};  // PWM stored for 10 V
    uint8_t uCRCOKbits{};  // block 1 intact at start: bit 0 RAM, 1 RAM copy, 2 FRAM, 3 FRAM copy
    uint8_t uAfterWriteOKbits{};  // block 1 copies saved by the last write, same bits
    uint8_t uAnalogueType{};  // item index of the output type choice
    int32_t iAnalogueLow{};  // display value at the output low end
    int32_t iAnalogueHigh{};  // display value at the output high end
    bool bAnalogueErrorHigh{};
    uint8_t enuBarGraphMode{};  // 1 = dot, 0 = bar
    int32_t iBgLow{};  // display value at bar graph 0 %, implied decimals
    int32_t iBgHigh{};  // display value at bar graph 100 %
    uint8_t uInputTypeSettings{};  // 0..4, as uInputType
    uint8_t uDecimalPointSettings{};
    uint8_t uRoundSettings{};  // display rounding step 1, 2 or 5
    int32_t iScaleLowSettings{};  // display value at the input range low end, implied decimals
    int32_t iScaleHighSettings{};
    uint8_t enuLimitDisplayMode{};  // 0..5
    uint8_t enuLimitModeL1{};  // 0..10; same for L2..L4
    bool bHoldL1{};  // latches until a key is pressed
    int32_t iLowLimitL1{};  // value A (delta value in the delta modes), implied decimals
    int32_t iHighLimitL1{};  // value B
    int32_t iHysteresisL1{};
    uint8_t enuLimitModeL2{};
    bool bHoldL2{};
    int32_t iLowLimitL2{};
    int32_t iHighLimitL2{};
    int32_t iHysteresisL2{};
    uint8_t enuLimitModeL3{};
    bool bHoldL3{};
    int32_t iLowLimitL3{};
    int32_t iHighLimitL3{};
    int32_t iHysteresisL3{};
    uint8_t enuLimitModeL4{};
    bool bHoldL4{};
    int32_t iLowLimitL4{};
    int32_t iHighLimitL4{};
    int32_t iHysteresisL4{};
    uint16_t uSecL1{};  // delta-mode time base, seconds
    uint16_t uSecL2{};
    uint16_t uSecL3{};
    uint16_t uSecL4{};
    uint8_t uPulseSecL1{};  // pulse width, seconds
    uint8_t uPulseSecL2{};
    uint8_t uPulseSecL3{};
    uint8_t uPulseSecL4{};
    uint8_t uMODBUSProtocol{};  // the Modbus uMODBUS* bytes are item indices of their choices
    uint8_t uMODBUSParity{};
    uint8_t uMODBUSBaudRate{};
    uint8_t uMODBUSAddress{};
    uint16_t uSPS{};  // converter samples per second
    bool bDisableAnalogueError{};
    uint8_t uYForHardCopy{};  // no answer fills it: stays 0
    std::array<uint8_t, kBitmapBytes> uBitmap{};  // display image 128 x 64, 1 bit per pixel
    uint8_t uMBURxCounter{};  // frame counter of the last received frame header
    int32_t iCalPt0ohm4W{};
    int32_t iCalPtXohm4W{};  // the "300 ohm" point
    int32_t iCalPt0ohm3W{};
    int32_t iCalPtXohm3W{};  // the "300 ohm" point
    bool bPt1000{};  // false: Pt100; PX370: the variant for an external shunt
    uint8_t uPtWires{};  // 2..4
    uint8_t recFRAMCommon_uSizeKB{};
    uint32_t uSecondsOfOperation{};
    uint8_t uCRCOKbits2{};  // as uCRCOKbits, block 2
    uint8_t uAfterWriteOKbits2{};  // as uAfterWriteOKbits, block 2
    float fResistance{};  // ohm; for the AC input the frequency in Hz
    uint16_t uDevice{};  // device type code of the last received frame header
    uint32_t uDeviceID{};  // serial number 0..999999, last received frame header
    uint8_t uGyariSzamEv{};  // production year, two digits
    uint8_t uGyariSzamHonap{};  // production month 1..12
    uint16_t uLastDevice{};  // type code of the previously attached instrument
    uint32_t uLastDeviceID{};  // serial number of the previously attached instrument
    uint8_t uLimit{};  // limit outputs 1..4 in bits 0..3, 1 = on
    uint8_t uPXOptIn{};  // 0 none, 1 PXAI, 2 PXRT, 6 PXMB, 7 timer, 8 PXMBIN
    uint8_t uPXOptOutPrimer{};  // 0 none, 3 PXAO, 4 PXMB, 5 PXRL
    uint8_t uPXOptOutSecondary{};  // same codes
    uint8_t uAnalogueType_2{};
    int32_t iAnalogueLow_2{};
    int32_t iAnalogueHigh_2{};
    bool bAnalogueErrorHigh_2{};
    bool bDisableAnalogueError_2{};
    uint16_t uMODBUSTimeOut{};
    uint8_t uDebounced{};  // push buttons: bit 0 right, 1 up, 2 left
    uint8_t uCounterForDisplayRefresh{};  // display refresh divider of the indicator pages
    uint32_t uMainLoopFrequency{};  // firmware main loops per second
    uint8_t uPXRT_Wires{};
    float fPXRT_R2Wires{};  // 2-wire lead resistance, ohm
    uint8_t uAverage{};  // averaging of the PXRT / PX310 and AC inputs
    float fPXRT_PotRPercent0{};
    float fPXRT_PotRPercent100{};
    uint8_t uPXRT_DecimalPoint{};  // no answer fills it
    int32_t iPXRT_ScaleLow{};
    int32_t iPXRT_ScaleHigh{};
    uint8_t uRound{};  // no answer fills it
    int16_t iPXRT_CorrTemp1{};
    int16_t iPXRT_CorrTemp2{};
    int16_t iPXRT_CorrTemp3{};
    int16_t iPXRT_CorrPlusTemp1{};
    int16_t iPXRT_CorrPlusTemp2{};
    int16_t iPXRT_CorrPlusTemp3{};
    uint8_t uGlobalErrorCode{};  // 0 = none
    std::string sDecimalMask = "####0";  // see SetDecimalMask; starts as for 0 decimals
    std::string sDecimalMask_2{};  // copy of sDecimalMask for value 2
    float fDivider = 1.0f;  // 10 ^ uDecimalPoint; never 0, views divide by it
    float fDivider_2{};  // copy of fDivider for value 2
    uint8_t uMBURxCounterPrev{};  // uMBURxCounter one second ago
    int32_t iFPS{};  // answers received in the last second
    float fDeltaMin{};  // AC dialog: extremes of the precise value since zeroing
    float fDeltaMax{};
    float fValueAtZero{};  // AC dialog: reference taken by the zeroing button
    float fHibaSzazalek{};  // deviation from fValueAtZero, percent
    float fHibaSzazalekMin{};
    float fHibaSzazalekMax{};
    uint16_t uPXTR_OSR{};  // AC converter oversampling ratio
    uint8_t uPXTR_PGA{};  // AC converter gain setting
    float fPXTR_X{};  // transformer ratio or shunt current
    float fZajzar{};  // AC noise gate
    uint8_t uSlaveStatusBits{};  // AC: bit 0/1 freq low/high, 2 noise gate, 3 no AC, 4 no init, 5 no cal
    int16_t iDCAveragedMO{};  // averaged DC component, full scale +-32767
    uint8_t uCRCOKbits3{};  // as uCRCOKbits, block 3
    uint8_t uAfterWriteOKbits3{};  // as uAfterWriteOKbits, block 3
    int16_t iCal_01a{};  // AC calibration, range 1..7 values a/b; 32767 = uncalibrated
    int16_t iCal_01b{};
    int16_t iCal_02a{};
    int16_t iCal_02b{};
    int16_t iCal_03a{};
    int16_t iCal_03b{};
    int16_t iCal_04a{};
    int16_t iCal_04b{};
    int16_t iCal_05a{};
    int16_t iCal_05b{};
    int16_t iCal_06a{};
    int16_t iCal_06b{};
    int16_t iCal_07a{};
    int16_t iCal_07b{};
    uint8_t uGain{};  // converter gain in use ("PGA")
    float fiSkalazottKijezesiErtekPontos{};  // displayed value 1 at full precision
    uint8_t uPXTR_uQMHz{};  // AC converter clock choice
    bool bPXTR_ThereIsCT{};
    uint16_t uSizeInBytesFRAM1{};
    uint16_t uSizeInBytesFRAM2{};
    uint16_t uSizeInBytesFRAM3{};
    float fValue1{};
    float fValue2{};
    float fValue3{};  // reserved
    float fValue4{};  // reserved
    uint8_t PXAO_SourceInput1{};
    uint8_t PXAO_SourceInput2{};
    uint8_t PXRL_SourceInput1{};
    uint8_t PXRL_SourceInput2{};
    uint8_t PXRL_SourceInput3{};  // reserved
    uint8_t PXRL_SourceInput4{};  // reserved
    uint8_t uCurrentDecimalPoint2{};  // decimals of value 2; stored, not used
    uint8_t uPXRT_Mode{};  // 0 temperature (°C), 1 potentiometer (%), 2 no unit, 3 resistance (ohm)
    uint16_t uJelszoUser{};  // operator password 0..9999
    uint16_t uJelszoSupervisor{};  // engineer password 0..9999
    float fPXAOKimenoFizErtek{};  // present output of analog output 1, mA or V
    uint8_t uAnalogueTypeFor101{};  // > 1 voltage, otherwise current
    float fPXAOKimenoFizErtek_2{};  // present output of analog output 2, mA or V
    uint8_t uAnalogueTypeFor101_2{};
};

// Values prepared for transmission.
struct tTX {
    uint8_t uBrightness{};  // settings set: step 1..10; PX530: percent 10..100
    std::array<uint8_t, kTagnameBytes> uTagnameText{};  // Latin-1, rest zero; see EncodeDeviceText
    std::array<uint8_t, kDimensionBytes> uDimensionText{};  // Latin-1, rest zero
    bool bLeaderZeros{};
    uint8_t uAverage{};  // averaging count 1, 5, 8, 16, 24 or 40
    uint8_t uForce{};  // analog output force bits of the status request
    uint16_t uPWM{};  // direct PWM of the analog output
    uint8_t uAnalogueType{};  // item index of the output type choice
    int32_t iAnalogueLow{};
    int32_t iAnalogueHigh{};
    bool bAnalogueErrorHigh{};
    uint8_t enuBarGraphMode{};  // 1 = dot, 0 = bar
    int32_t iBgLow{};
    int32_t iBgHigh{};
    uint8_t uInputTypeSettings{};
    uint8_t uDecimalPointSettings{};
    uint8_t uRoundSettings{};  // 1, 2 or 5
    int32_t iScaleLowSettings{};
    int32_t iScaleHighSettings{};
    uint8_t enuLimitDisplayMode{};
    uint8_t enuLimitModeL1{};
    bool bHoldL1{};
    int32_t iLowLimitL1{};  // implied decimals, as in tRX
    int32_t iHighLimitL1{};
    int32_t iHysteresisL1{};
    uint8_t enuLimitModeL2{};
    bool bHoldL2{};
    int32_t iLowLimitL2{};
    int32_t iHighLimitL2{};
    int32_t iHysteresisL2{};
    uint8_t enuLimitModeL3{};
    bool bHoldL3{};
    int32_t iLowLimitL3{};
    int32_t iHighLimitL3{};
    int32_t iHysteresisL3{};
    uint8_t enuLimitModeL4{};
    bool bHoldL4{};
    int32_t iLowLimitL4{};
    int32_t iHighLimitL4{};
    int32_t iHysteresisL4{};
    uint16_t uSecL1{};  // seconds, 2..65535
    uint16_t uSecL2{};
    uint16_t uSecL3{};
    uint16_t uSecL4{};
    uint8_t uPulseSecL1{};  // seconds, 2..255
    uint8_t uPulseSecL2{};
    uint8_t uPulseSecL3{};
    uint8_t uPulseSecL4{};
    uint8_t uTestForce{};  // display test pattern, 0 = none
    uint8_t uMODBUSProtocol{};
    uint8_t uMODBUSParity{};
    uint8_t uMODBUSBaudRate{};
    uint8_t uMODBUSAddress{};
    bool bDisableAnalogueError{};
    uint8_t uYForHardCopy{};  // always sent as 0
    bool bPt1000{};  // false: Pt100; PX370: the variant for an external shunt
    uint8_t uPtWires{};  // 2..4
    uint32_t uHostID{};  // placed in every transmitted frame header
    uint32_t uDeviceID{};  // serial number to write, 0..999999
    uint8_t uGyariSzamEv{};  // production year 0..99
    uint8_t uGyariSzamHonap{};  // production month 1..12 (0 when the edit holds no number)
    uint8_t uLimitForceAndEnable{};  // limit output force bits of the status request
    uint16_t uDeviceType{};  // device type code to write
    uint8_t uPXOptIn{};  // option codes as in tRX
    uint8_t uPXOptOutPrimer{};
    uint8_t uPXOptOutSecondary{};
    uint8_t uAnalogueType_2{};
    int32_t iAnalogueLow_2{};
    int32_t iAnalogueHigh_2{};
    bool bAnalogueErrorHigh_2{};
    bool bDisableAnalogueError_2{};
    uint16_t uMODBUSTimeOut{};
    uint16_t uJelszoUser{};
    uint16_t uJelszoSupervisor{};
    uint8_t uCounterForDisplayRefresh{};
    uint8_t uPXRT_Mode{};
    uint8_t uPXRT_Wires{};
    float fPXRT_R2Wires{};
    float fPXRT_PotRPercent0{};
    float fPXRT_PotRPercent100{};
    uint8_t uPXRT_DecimalPoint{};  // no command sends it
    int32_t iPXRT_ScaleLow{};
    int32_t iPXRT_ScaleHigh{};
    uint8_t uRound{};  // no command sends it
    int32_t iCalLow1{};  // timer time-base constant
    uint8_t uDirectControl{};  // forced measuring mode of the status request, 0 = none
    int16_t iPXRT_CorrTemp1{};
    int16_t iPXRT_CorrTemp2{};
    int16_t iPXRT_CorrTemp3{};
    int16_t iPXRT_CorrPlusTemp1{};
    int16_t iPXRT_CorrPlusTemp2{};
    int16_t iPXRT_CorrPlusTemp3{};
    uint16_t uDCSumCounterMax{};  // reserved
    uint16_t uPXTR_OSR{};
    uint8_t uPXTR_PGA{};
    float fPXTR_X{};  // transformer ratio or shunt current
    uint8_t uPXTR_uQMHz{};
    bool bPXTR_ThereIsCT{};
    float fZajzar{};  // AC noise gate
    uint8_t PXAO_SourceInput1{};
    uint8_t PXAO_SourceInput2{};
    uint8_t PXRL_SourceInput1{};
    uint8_t PXRL_SourceInput2{};
    uint8_t PXRL_SourceInput3{};  // reserved
    uint8_t PXRL_SourceInput4{};  // reserved
};

// User-interface state kept between answers.
struct TGlobalVar {
    uint8_t uKijelzoTeszt_PX530{1};  // PX530 test pattern, 1 as its label shows at start; sent as uTestForce in a test
    uint16_t uPWMForILPrevious{};  // last PWM values read back from the instrument
    uint16_t uPWMForIHPrevious = 65535;
    uint16_t uPWMForULPrevious{};
    uint16_t uPWMForUHPrevious = 65535;
    bool bFirstRun = true;  // true until the main window is first activated
};

// Configuration words.
struct tMSys {
    uint32_t uConfigOfUnitBits{};  // reported in every status answer; not interpreted
    uint32_t uConfigOfPCProgramBits = 1;  // sent first in every status request
};

// Sets sDecimalMask and fDivider together for 0..4 decimals:
// 0 "####0" 1, 1 "###0.0" 10, 2 "##0.00" 100, 3 "#0.000" 1000, 4 "0.0000" 10000.
// Any other count leaves both unchanged rather than clamping: a clamped pair
// would show every value off by a power of ten, while a garbled count is most
// likely followed by a good one that puts the pair right again.
void SetDecimalMask(tRX& rx, int decimals);

// Tag name and unit text travel one byte per character, the byte being the
// character's code (Latin-1), ended by a zero byte.

// Bytes up to the first zero, at most maxChars of them, as UTF-8.
std::string DecodeDeviceText(const uint8_t* bytes, std::size_t maxChars);

// Fills out[0..arraySize) for sending. The text is UTF-32, as
// QString::toStdU32String gives it, so one element is one character. It is
// cut to arraySize - 1 characters, then blanks and control characters are
// trimmed from both ends; the rest of the array is zeroed, so the last byte
// is always zero.
// A kept character above U+00FF cannot be sent: returns false, sets *error
// (when given) to a message naming it, and leaves out untouched so that the
// caller refuses the write. Characters cut off at the end are not checked.
[[nodiscard]] bool EncodeDeviceText(std::u32string_view text, uint8_t* out, std::size_t arraySize, std::string* error);

}  // namespace velmar
