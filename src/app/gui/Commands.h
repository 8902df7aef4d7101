#pragma once

namespace tavo {

// The command ids of menus, tool bar and accelerators. They are the ids the
// help topics and the program's documentation refer to.
namespace CommandId {
inline constexpr int FileNew = 57600;
inline constexpr int FileOpen = 57601;
inline constexpr int FileSave = 57603;
inline constexpr int FileSaveAs = 57604;
inline constexpr int PageSetup = 57605;
inline constexpr int PrinterSetup = 57606;
inline constexpr int Print = 57607;
inline constexpr int PrintPreview = 57609;
inline constexpr int Exit = 57665;
inline constexpr int About = 57664;
inline constexpr int HelpIndex = 57666;
inline constexpr int Help = 57670;
inline constexpr int ToggleToolBar = 59392;
inline constexpr int ToggleStatusBar = 59393;
inline constexpr int OutputFont = 110;
inline constexpr int TitleFont = 111;
inline constexpr int ExportPdf = 112;
inline constexpr int StopOfferingDemo = 342;
inline constexpr int CheckForUpdate = 25000;
inline constexpr int RemoteSupport = 25020;
inline constexpr int HeaderFooter = 26000;
}  // namespace CommandId

}  // namespace tavo
