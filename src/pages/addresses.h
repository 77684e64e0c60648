#pragma once

// The program's web page and mail address, as the about window and the substitute day page show
// them.
namespace addresses {

inline constexpr char Web[] = "www.example.org/kerla";
inline constexpr char Mail[] = "kerla@example.org";

} // namespace addresses
