#pragma once
// Payloads of the status command 101: the live controls out, every live
// value of the instrument back.

#include "core/device/records.h"

namespace velmar {

constexpr std::size_t kStatusRequestSize = 10;
constexpr std::size_t kStatusAnswerSize = 106;

template <class IO>
void StatusRequestLayout(IO& io, tTX& tx, tMSys& sys) {
    io.U32(sys.uConfigOfPCProgramBits);
    io.U8(tx.uForce);
    io.U16(tx.uPWM);
    io.U8(tx.uTestForce);
    io.U8(tx.uLimitForceAndEnable);
    io.U8(tx.uDirectControl);
}

template <class IO>
void StatusAnswerLayout(IO& io, tRX& rx, tMSys& sys) {
    io.U8(rx.uGyariSzamEv);
    io.U8(rx.uGyariSzamHonap);
    io.U32(sys.uConfigOfUnitBits);
    io.S32(rx.iRawADCData);
    io.S32(rx.iAveragedADCData);
    io.U32(rx.uErrorBits);
    io.F32(rx.fFizikaiMennyiseg);
    io.F32(rx.fKimenetSzazalek);
    io.S32(rx.iSkalazottKijezesiErtek);
    io.U8(rx.uInputType);
    io.U8(rx.uDecimalPoint);
    io.U8(rx.uCRCOKbits);
    io.U8(rx.uAfterWriteOKbits);
    io.U16(rx.uSPS);
    io.Bool(rx.bPt1000);
    io.U8(rx.recFRAMCommon_uSizeKB);
    io.U32(rx.uSecondsOfOperation);
    io.U8(rx.uCRCOKbits2);
    io.U8(rx.uAfterWriteOKbits2);
    io.F32(rx.fResistance);
    io.U8(rx.uLimit);
    io.U8(rx.uPXOptIn);
    io.U8(rx.uPXOptOutPrimer);
    io.U8(rx.uPXOptOutSecondary);
    io.U8(rx.uDebounced);
    io.U32(rx.uMainLoopFrequency);
    io.U8(rx.uGlobalErrorCode);
    io.U8(rx.uSlaveStatusBits);
    io.S16(rx.iDCAveragedMO);
    io.U8(rx.uCRCOKbits3);
    io.U8(rx.uAfterWriteOKbits3);
    io.U8(rx.uGain);
    io.F32(rx.fiSkalazottKijezesiErtekPontos);
    io.U16(rx.uSizeInBytesFRAM1);
    io.U16(rx.uSizeInBytesFRAM2);
    io.U16(rx.uSizeInBytesFRAM3);
    io.F32(rx.fValue1);
    io.F32(rx.fValue2);
    io.U8(rx.uCurrentDecimalPoint2);
    io.U8(rx.uPXRT_Mode);
    io.U16(rx.uJelszoUser);
    io.U16(rx.uJelszoSupervisor);
    io.F32(rx.fPXAOKimenoFizErtek);
    io.U8(rx.uAnalogueTypeFor101);
    io.F32(rx.fPXAOKimenoFizErtek_2);
    io.U8(rx.uAnalogueTypeFor101_2);
    io.S32(rx.iSkalazottKijezesiErtek_2);
    io.F32(rx.fKimenetSzazalek_2);
}

// Percentages beyond 10000 (also not-a-number) are kept as 10000 and those
// below -10000 as -10000, so the texts built from them stay in range: the
// bar text turns the value into an integer.
float ClampPercentage(float value);

}  // namespace velmar
