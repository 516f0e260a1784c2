#pragma once
// The group codes and names of the drawn entities that the ruled-table reader takes: the
// ones group_codes.h and dxf_names.h do not already name.

#include <string_view>

namespace dxf2csv::ruled {

inline constexpr int kCodeTextPiece = 3;      ///< MTEXT: a 250-byte piece before the last (1)
inline constexpr int kCodeX2 = 11;            ///< second point, alignment point or direction: X
inline constexpr int kCodeX3 = 12;            ///< third point (SOLID, 3DFACE)
inline constexpr int kCodeX4 = 13;            ///< fourth point (SOLID, 3DFACE)
inline constexpr int kCodeY3 = 22;
inline constexpr int kCodeY4 = 23;
inline constexpr int kCodeSize = 40;          ///< text height, radius, ratio
inline constexpr int kCodeScaleX = 41;        ///< INSERT X scale; ELLIPSE start
inline constexpr int kCodeScaleY = 42;        ///< INSERT Y scale
inline constexpr int kCodeBulge = 42;         ///< LWPOLYLINE, VERTEX and hatch edge bulge
inline constexpr int kCodeLineSpacing = 44;   ///< MTEXT line spacing factor
inline constexpr int kCodeColumnSpacing = 44; ///< MINSERT column spacing
inline constexpr int kCodeRowSpacing = 45;    ///< MINSERT row spacing
inline constexpr int kCodeAngle = 50;         ///< rotation or start angle, degrees
inline constexpr int kCodeEndAngle = 51;      ///< ARC end angle, degrees
inline constexpr int kCodeVisibility = 60;    ///< 1: the entity is invisible
inline constexpr int kCodeSpace = 67;         ///< 1: the entity is in paper space
inline constexpr int kCodeFlags = 70;         ///< polyline, attribute and block flags; MINSERT columns
inline constexpr int kCodeAttachment = 71;    ///< MTEXT attachment point; TEXT generation flags; MINSERT rows
inline constexpr int kCodeAttribVJustify = 74; ///< ATTRIB vertical justification
inline constexpr int kCodeMtextColumns = 75;  ///< MTEXT column type: its later 50s are column heights
inline constexpr int kCodeSubclass = 100;     ///< subclass marker
inline constexpr int kCodeEmbedded = 101;     ///< an embedded object follows: its codes are not the entity's
inline constexpr int kCodeExtrusionX = 210;
inline constexpr int kCodeExtrusionY = 220;
inline constexpr int kCodeExtrusionZ = 230;

// HATCH boundaries.
inline constexpr int kCodeHatchPaths = 91;    ///< number of boundary paths: the elevation point is behind
inline constexpr int kCodePathFlags = 92;     ///< a boundary path begins; bit kPathPolyline
inline constexpr int kCodeEdgeType = 72;      ///< edge type in an edge path
inline constexpr int kCodePathClosed = 73;    ///< a polyline path is closed
inline constexpr int kCodePatternStyle = 75;  ///< the boundaries are over
inline constexpr int kPathPolyline = 2;
inline constexpr int kEdgeLine = 1;
inline constexpr int kEdgeArc = 2;
inline constexpr int kEdgeEllipse = 3;
inline constexpr int kEdgeSpline = 4;

// ACAD_TABLE.
inline constexpr int kCodeTableRows = 91;
inline constexpr int kCodeTableColumns = 92;
inline constexpr int kCodeRowHeight = 141;
inline constexpr int kCodeColumnWidth = 142;
inline constexpr int kCodeCellType = 171;     ///< each cell begins with it
inline constexpr int kCodeCellColumns = 175;  ///< columns a merged cell spans
inline constexpr int kCodeCellRows = 176;     ///< rows a merged cell spans
inline constexpr int kCodeCellPiece = 2;      ///< a piece of a long cell text before its 1 (also 3)
inline constexpr int kCodeCellShown = 302;    ///< a cell value as shown (AutoCAD 2007 and later)

// Flags.
inline constexpr int kPolylineClosed = 1;
inline constexpr int kPolylineCurveFit = 2;
inline constexpr int kPolylineSplineFit = 4;
inline constexpr int kPolyline3d = 8;
inline constexpr int kPolylineMesh = 16;
inline constexpr int kPolyfaceMesh = 64;
inline constexpr int kAttribInvisible = 1;
inline constexpr int kTextUpsideDown = 4;
inline constexpr int kHJustifyAligned = 3;
inline constexpr int kHJustifyFit = 5;

namespace names {
inline constexpr std::string_view kLine = "LINE";
inline constexpr std::string_view kLwPolyline = "LWPOLYLINE";
inline constexpr std::string_view kPolyline = "POLYLINE";
inline constexpr std::string_view kVertex = "VERTEX";
inline constexpr std::string_view kSeqEnd = "SEQEND";
inline constexpr std::string_view kArc = "ARC";
inline constexpr std::string_view kCircle = "CIRCLE";
inline constexpr std::string_view kEllipse = "ELLIPSE";
inline constexpr std::string_view kSpline = "SPLINE";
inline constexpr std::string_view kHatch = "HATCH";
inline constexpr std::string_view kSolid = "SOLID";
inline constexpr std::string_view kTrace = "TRACE";
inline constexpr std::string_view kFace = "3DFACE";
inline constexpr std::string_view kText = "TEXT";
inline constexpr std::string_view kMtext = "MTEXT";
inline constexpr std::string_view kAttrib = "ATTRIB";
inline constexpr std::string_view kInsert = "INSERT";
inline constexpr std::string_view kTable = "ACAD_TABLE";
inline constexpr std::string_view kBlock = "BLOCK";
inline constexpr std::string_view kEndBlock = "ENDBLK";
inline constexpr std::string_view kEndSection = "ENDSEC";
inline constexpr std::string_view kTableSubclass = "AcDbTable";
/// Blocks with these names (any letter case) are layouts, never placed by an INSERT.
inline constexpr std::string_view kLayoutPrefixes[] = {"*Model_Space", "*Paper_Space", "$Model_Space", "$Paper_Space"};
} // namespace names

} // namespace dxf2csv::ruled
