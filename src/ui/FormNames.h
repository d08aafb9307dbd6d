#pragma once
// The names by which windows find one another, and the controls one window hands to another.
#include <array>

namespace ui {

inline constexpr const char* kBeginForm = "BEGIN_FRM";
inline constexpr const char* kLocalScanForm = "LOCALSCAN_FRM";
inline constexpr const char* kCheckForm = "CHECK_FRM";
inline constexpr const char* kScanOptionsForm = "SCAN_OPTIONS";
inline constexpr const char* kOtherForm = "OTHER_FRM";
inline constexpr const char* kAboutForm = "ABOUT_FRM";

inline constexpr std::array<const char*, 6> kAllForms = {
    kBeginForm, kLocalScanForm, kCheckForm, kScanOptionsForm, kOtherForm, kAboutForm};

// Controls of the local scan window that the progress window passes to the scan.
inline constexpr const char* kScanConsole = "ScanConsole";
inline constexpr const char* kOpenDirButton = "OpenDirBtn";

}  // namespace ui
