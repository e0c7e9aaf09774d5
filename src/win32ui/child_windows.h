#pragma once

#include <windows.h>

// The two window classes the common controls lack. A container (group box, radio group, tab
// sheet) holds controls and hands their notifications and colour questions to the top-level
// window. A value cell is a sunken panel that draws its own caption (the unit) and holds the
// value label.
namespace win32ui {

inline constexpr wchar_t kContainerClass[] = L"ZephlaneContainer";
inline constexpr wchar_t kCellClass[] = L"ZephlaneCell";

// Value cell styles: where the caption stands.
inline constexpr DWORD kCellCaptionCentre = 0x0001;
inline constexpr DWORD kCellCaptionRight = 0x0002;

void RegisterChildClasses(HINSTANCE instance);

}  // namespace win32ui
