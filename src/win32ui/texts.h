#pragma once

#include <string_view>

// The Windows window's own texts beyond the design and the Analysis window's shared texts: the
// menu bar's and context menu's entries with their mnemonics and shortcut columns.
namespace win32ui {

// Alt+E and Alt+H are the Evaluate and Help (HTML) buttons' mnemonics, which the window keeps;
// the menus that would share them take their second letters.
inline constexpr std::string_view kItemExportResults = "&Export Results\u2026\tCtrl+Shift+E";
inline constexpr std::string_view kItemExportReport = "Export &Report\u2026";
inline constexpr std::string_view kItemQuit = "&Quit";
inline constexpr std::string_view kItemCopyResults = "&Copy Results\tCtrl+Shift+C";
inline constexpr std::string_view kItemAnalysis = "&Analysis\u2026\tCtrl+Shift+A";
inline constexpr std::string_view kItemContents = "&Contents\tF1";
inline constexpr std::string_view kItemManual = "&Manual (PDF)";
inline constexpr std::string_view kItemTheory = "&Theory";
inline constexpr std::string_view kItemAbout = "&About Zephlane";

// Case files and the numbers' copy. Alt+C is Copy Results' in the Edit menu; the File menu's
// own letters stay clear of the measured-file entries beside them.
inline constexpr std::string_view kItemOpenCase = "&Open Case\u2026\tCtrl+O";
inline constexpr std::string_view kItemSaveCase = "&Save Case\u2026\tCtrl+S";
inline constexpr std::string_view kItemRecentCases = "Recen&t Cases";
inline constexpr std::string_view kItemCopyNumbers = "Copy Results as &Numbers";
inline constexpr std::string_view kItemOpenLoadFile = "Open &Load File\u2026";
inline constexpr std::string_view kItemOpenSourceFile = "Open So&urce File\u2026";
inline constexpr std::string_view kItemForgetLoadFile = "&Forget Load File";
inline constexpr std::string_view kItemForgetSourceFile = "For&get Source File";

// The common file dialog's filter of every file, after the export's own.
inline constexpr std::string_view kAllFilesFilter = "All files (*.*)";

// The help page F1 opens in the Analysis window, beside the help's start page.
inline constexpr std::string_view kAnalysisHelpTopic = "Analysis";

}  // namespace win32ui
