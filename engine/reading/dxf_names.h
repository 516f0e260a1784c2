#pragma once
// The names of sections, entities and objects that this system reads, each tested as the
// beginning of a value line.

#include <string_view>

namespace dxf2csv::names {

inline constexpr std::string_view kSection = "SECTION"; ///< (0, SECTION) opens a section
inline constexpr std::string_view kEndSection = "ENDSEC";
inline constexpr std::string_view kEndOfFile = "EOF";
inline constexpr std::string_view kHeader = "HEADER";  ///< section names, after (0, SECTION)
inline constexpr std::string_view kBlocks = "BLOCKS";
inline constexpr std::string_view kEntities = "ENTITIES";
inline constexpr std::string_view kObjects = "OBJECTS";
inline constexpr std::string_view kText = "TEXT";      ///< the entity captured in ENTITIES
inline constexpr std::string_view kGroup = "GROUP";    ///< the object collected in OBJECTS

/// The names after group code 0 that change something: the section markers, TEXT and GROUP.
/// A (0, NAME) pair whose NAME cannot begin one of them changes nothing outside a TEXT, a
/// GROUP and the header.
inline constexpr std::string_view kActiveAfterCode0[] = {kSection, kEndSection, kEndOfFile, kText, kGroup};

inline constexpr std::string_view kAcadVersion = "$ACADVER";    ///< header variables read
inline constexpr std::string_view kCodePage = "$DWGCODEPAGE";

} // namespace dxf2csv::names
