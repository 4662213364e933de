#include "core/link/priority_list.h"

#include <array>

namespace velmar {

namespace {
constexpr const char* kMain = nullptr;
constexpr const char* kPXAI = "Form_PXAI";
constexpr const char* kPXAO = "Form_PXAO";
constexpr const char* kPXRL = "Form_PXRL";
constexpr const char* kPXMB = "Form_PXMB";
constexpr const char* kPassword = "Form_Password";
constexpr const char* kPXRT = "Form_PXRT";
constexpr const char* kPXTR = "Form_PXTR";
using enum SlotRule;

constexpr std::array<PriorityRank, 66> kList{{
    {1, kMain, "SpeedButton_GyariSzamAKeszulekbe", nullptr, Any, 1},
    {2, kMain, "SpeedButton_Cal0mA", nullptr, Any, 102},
    {3, kMain, "SpeedButton_Cal20mA", nullptr, Any, 103},
    {4, kMain, "SpeedButton_Cal0V", nullptr, Any, 104},
    {5, kMain, "SpeedButton_Cal10V", nullptr, Any, 105},
    {6, kMain, "SpeedButton_EraseFRAM1", nullptr, Any, 106},
    {7, kMain, "SpeedButton_ReadSettings", "SpeedButton_ReadSettings2", Any, 131},
    {8, kMain, "SpeedButton_ReadDefaultSettings", "SpeedButton_ReadDefaultSettings2", Any, 132},
    {9, kMain, "SpeedButton_WriteSettings", "SpeedButton_WriteSettings2", Any, 109},
    {10, kMain, "SpeedButton_ReadCalIn", nullptr, Any, 110},
    {11, kMain, "SpeedButton_Reset", nullptr, Any, 113},
    {12, kMain, "SpeedButton_CalPWML", nullptr, Any, 114},
    {13, kMain, "SpeedButton_CalPWMH", nullptr, Any, 115},
    {14, kMain, "SpeedButton_ReadPWMCal", nullptr, Any, 116},
    {15, kMain, "SpeedButton_ReadDisplay", nullptr, Any, 123},
    {16, kMain, "SpeedButton_iCalPt0ohm4W", nullptr, Any, 125},
    {17, kMain, "SpeedButton_iCalPtXohm4W", nullptr, Any, 126},
    {18, kMain, "SpeedButton_iCalPt0ohm3W", nullptr, Any, 127},
    {19, kMain, "SpeedButton_iCalPtXohm3W", nullptr, Any, 128},
    {20, kMain, "SpeedButton_ReadCalPt", nullptr, Any, 129},
    {21, kMain, "SpeedButton_bPt1000", nullptr, Any, 130},
    {22, kPXAI, "SpeedButton_ReadFromDevice", nullptr, Any, 201},
    {23, kPXAI, "SpeedButton_WriteToDevice", nullptr, Any, 202},
    {24, kPXAO, "SpeedButton_ReadFromDevice", nullptr, Primary, 203},
    {25, kPXAO, "SpeedButton_WriteToDevice", nullptr, Primary, 204},
    {26, kPXAO, "SpeedButton_ReadFromDevice", nullptr, Secondary, 205},
    {27, kPXAO, "SpeedButton_WriteToDevice", nullptr, Secondary, 206},
    {28, kPXRL, "SpeedButton_ReadFromDevice", nullptr, Primary, 207},
    {29, kPXRL, "SpeedButton_WriteToDevice", nullptr, Primary, 208},
    {30, kPXRL, "SpeedButton_ReadFromDevice", nullptr, Secondary, 209},
    {31, kPXRL, "SpeedButton_WriteToDevice", nullptr, Secondary, 210},
    {32, kPXAI, "SpeedButton_ReadDefault", nullptr, Any, 211},
    {33, kPXAO, "SpeedButton_ReadDefault", nullptr, Any, 212},
    {34, kPXRL, "SpeedButton_ReadDefault", nullptr, Any, 213},
    {35, kPXMB, "SpeedButton_ReadFromDevice", nullptr, Primary, 214},
    {36, kPXMB, "SpeedButton_WriteToDevice", nullptr, Primary, 215},
    {37, kPXMB, "SpeedButton_ReadDefault", nullptr, Primary, 216},
    {38, kMain, "SpeedButton_ReadFromDevice_PX530", nullptr, Any, 217},
    {39, kMain, "SpeedButton_WriteToDevice_PX530", nullptr, Any, 218},
    {40, kMain, "SpeedButton_ReadDefault_PX530", nullptr, Any, 219},
    {41, kPassword, "SpeedButton_ReadFromDevice_Password", nullptr, Any, 220},
    {42, kPassword, "SpeedButton_ReadDefault_Password", nullptr, Any, 221},
    {43, kPassword, "SpeedButton_WriteToDevice_Password", nullptr, Any, 222},
    {44, kMain, "SpeedButton_Cal0mA2", nullptr, Any, 226},
    {45, kMain, "SpeedButton_ReadCalIn2", nullptr, Any, 227},
    {46, kPXRT, "SpeedButton_ReadFromDevice_PX310", nullptr, Any, 228},
    {47, kPXRT, "SpeedButton_ReadDefault_PX310", nullptr, Any, 229},
    {48, kPXRT, "SpeedButton_WriteToDevice_PX310", nullptr, Any, 230},
    {49, kMain, "SpeedButton_PX310_Cal0", nullptr, Any, 231},
    {50, kMain, "SpeedButton_PX310_Cal490", nullptr, Any, 232},
    {51, kMain, "SpeedButton_PX310_Cal3Wires", nullptr, Any, 233},
    {52, kMain, "SpeedButton_ReadFromDevice_PX210", nullptr, Any, 234},
    {53, kMain, "SpeedButton_ReadDefault_PX210", nullptr, Any, 235},
    {54, kMain, "SpeedButton_WriteToDevice_PX210", nullptr, Any, 236},
    {55, kMain, "SpeedButton_Cal4mA_PX210", nullptr, Any, 237},
    {56, kMain, "SpeedButton_Cal20mA_PX210", nullptr, Any, 238},
    {57, kMain, "SpeedButton_ReadCalIn_PX210", nullptr, Any, 239},
    {58, kPXTR, "SpeedButton_ReadFromDevice", nullptr, Any, 241},
    {59, kPXTR, "SpeedButton_ReadDefault", nullptr, Any, 242},
    {60, kPXTR, "SpeedButton_WriteToDevice", nullptr, Any, 243},
    {61, kPXTR, "SpeedButton_PX350Cal0V", nullptr, Any, 244},
    {62, kPXTR, "SpeedButton_PX350CalNV", nullptr, Any, 245},
    {63, kPXTR, "SpeedButton_PX350CalRead", nullptr, Any, 246},
    {64, kPXTR, "SpeedButton_PX370Cal0A", nullptr, Any, 247},
    {65, kPXTR, "SpeedButton_PX370CalNA", nullptr, Any, 248},
    {66, kPXTR, "SpeedButton_PX370CalRead", nullptr, Any, 249},
}};
}  // namespace

std::span<const PriorityRank> PriorityList() { return kList; }

}  // namespace velmar
