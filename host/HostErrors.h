#pragma once

// Error numbers raised by the host access layer. They follow the classic file-error numbers so
// the designer's error report reads like any other file problem.
namespace HostErrors {
inline constexpr int BadFileName = 52;   // the document name cannot denote an item or file
inline constexpr int FileNotFound = 53;  // the item or local file is not on file
inline constexpr int ItemLocked = 70;    // the record lock is held by another document
inline constexpr int AccessError = 75;   // the item cannot be read or written (permissions, I/O, read-only)
inline constexpr int PathNotFound = 76;  // the host file (folder) that should hold the item is missing
} // namespace HostErrors

// Optional features a document object may offer (see mvDocument::Supports).
namespace HostFeatures {
inline constexpr int HostService = 15; // a service object describing the host (iHostService)
} // namespace HostFeatures
