#pragma once
// The program from start to end, apart from the entry point, so that a test can run it with a
// main window's text of its own.

#include <optional>
#include <string_view>

// The caption of the program's one error box: the program's name.
inline constexpr wchar_t kProgramCaption[] = L"Velmora";

// Builds the main window from `mainFormText` (from its resource when none is given) and runs the
// message loop until the program ends; answers 0. Whatever escapes, a window class, a timer or a
// form resource that cannot be made, is shown in one error box, and the answer is then 1.
int RunVelmora(std::optional<std::string_view> mainFormText = std::nullopt);
