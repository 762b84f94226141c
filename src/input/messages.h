#pragma once
// Every console text of the input reader and its directive handlers, word
// for word; "%" places are filled with FormatText.

namespace tessarin::input::messages {

// Reading the file.
inline constexpr const char* kOpenFailed = "File \"%s\" could not be opened for reading.";
inline constexpr const char* kContinuationNotLast =
    "Warning: The line-continuation character '&' in line No. %d is not the last character of the line. The "
    "remainder of the line will be ignored.\n";
inline constexpr const char* kKeywordRepeated = "Error: Keyword \"%s\" is used more than once in the input file.\n";
inline constexpr const char* kNoCells = "Error: There are no cells defined.\n";
inline constexpr const char* kNotSupportedYet =
    "Error: Keyword \"%s\" is not supported by this version of Tessarin yet, so the geometry of the input file "
    "cannot be checked.\n";

inline constexpr const char* kMaterialFormat =
    "Error in specification of the material \"%s\" (the first keyword format must be \"M<n>\", where \"<n>\" is a "
    "positive integer number less than 2^31 = 2147483648.\n";
inline constexpr const char* kCellFormat =
    "Error in specification of the cell \"%s\" (the first keyword format must be \"C<n>\", where \"<n>\" is a "
    "positive integer number less than 2^31 = 2147483648.\n";
inline constexpr const char* kUnionFormat =
    "Error in specification of the union \"%s\" (the first keyword format must be \"UNION<n>\", where \"<n>\" is "
    "a positive integer number less than 2^31 = 2147483648.\n";

// Geometry mode.
inline constexpr const char* kComplexOnly =
    "Error: Keyword \"%s\" can be used only in complex geometry mode, but the previous directives imply simple "
    "geometry.\n";
inline constexpr const char* kSimpleOnly =
    "Error: Keyword \"%s\" can be used only in simple geometry mode, but the previous directives imply complex "
    "geometry.\n";
inline constexpr const char* kComplexSwitchMissing = "Error: Value of the \"complex geometry\" switch is missing.\n";
inline constexpr const char* kSimpleNotAllowed =
    "Error: Setting the simple geometry option is not allowed here, because the previous directives imply complex "
    "geometry.\n";
inline constexpr const char* kComplexNotAllowed =
    "Error: Setting the complex geometry option is not allowed here, because the previous directives imply simple "
    "geometry.\n";

// Precision settings.
inline constexpr const char* kDistancePrecisionMissing = "Error: Distance precision value is missing.\n";
inline constexpr const char* kDistancePrecisionInvalid =
    "Error: Illegal value \"%s\" of the distance precision (it must be positive).\n";
inline constexpr const char* kAnglePrecisionMissing = "Error: Angle precision value is missing.\n";
inline constexpr const char* kAnglePrecisionInvalid =
    "Error: Illegal value \"%s\" of the angle precision (it must be positive and less than 1e-5).\n";
inline constexpr const char* kMaxDistanceRatioMissing =
    "Error: The value of the ratio of the maximum distance and the distance precision is missing.\n";
inline constexpr const char* kMaxDistanceRatioInvalid =
    "Error: Illegal value \"%s\" of the ratio of the maximum distance and the distance precision (it must be "
    "between 1e6 and 1e24).\n";

// User-code blocks.
inline constexpr const char* kUserProgramsUnavailable =
    "Error: This version of Tessarin cannot run user programs yet, so the PROGRAM, SUBROUTINE, PARAMETERS and "
    "ARRAYS blocks of the input file cannot be read.\n";
inline constexpr const char* kOnlyOneArrays = "******** Error: only one \"ARRAYS\" directive is allowed. ********";
inline constexpr const char* kArraysMustPrecede =
    "******** Error: the \"ARRAYS\" directive must precede the definitions of global parameters, programs and "
    "subroutines. ********";
inline constexpr const char* kBlockMessage = "\n%s\n";
inline constexpr const char* kFramedEngineMessage = "******** %s ********\n";
inline constexpr const char* kOnlyOneParameters = "Error: only one \"PARAMETERS\" directive is allowed.\n";
inline constexpr const char* kParametersMustPrecede =
    "Error: the \"PARAMETERS\" directive must precede the definitions of all other programs and subroutines.\n";
inline constexpr const char* kProgramNameMissing = "Error: User program name has not been specified.\n";
// A block line that the user programs' pass read as the continuation of the
// directive before it, so its code was never compiled or run.
inline constexpr const char* kBlockInContinuation =
    "Error: The \"%s\" block in line No. %d follows a directive that ends with the line-continuation character "
    "'&', so it was read as part of that directive and its user code was not run.\n";
inline constexpr const char* kBlockNotClosed =
    "Error: The input file ends inside the \"%s\" block that begins in line No. %d (the line \"END %s\" that "
    "closes it is missing).\n";

// Coordinate transformations.
inline constexpr const char* kTransformFormat =
    "Error in specification of the coordinate transformation \"%s\": the first keyword format must be \"TR<n>\", "
    "where \"<n>\" is a positive integer number less than 2^31 = 2147483648.\n";
inline constexpr const char* kTransformDuplicate = "Error: Duplicate coordinate transformation identifier \"TR%d\".\n";
inline constexpr const char* kTransformMissing = "Error: Missing specification of a coordinate transformation.\n";
inline constexpr const char* kTransformLimit = "Error: The number of coordinate transformations is greater than %d.\n";
inline constexpr const char* kPrimaryTransformFormat =
    "Error in specification of the coordinate transformation \"TR%d\": the identifier of the primary coordinate "
    "transformation must be \"TR<n>\", where \"<n>\" is a positive integer number less than 2^31 = 2147483648.\n";
inline constexpr const char* kPrimaryTransformUnknown =
    "Error: Unknown identifier of the primary coordinate transformation \"%s\" in the definition of the coordinate "
    "transformation \"TR%d\".\n";
inline constexpr const char* kTransformNumberFormat =
    "Error in specification of the coordinate transformation \"TR%d\": incorrect number format \"%s\".\n";
inline constexpr const char* kTransformEntryCount =
    "Error in specification of the coordinate transformation \"TR%d\": incorrect number of numerical entries (it "
    "must be 3, 5, 6, 7, 8 or %d).\n";
inline constexpr const char* kTransformAzimuth =
    "Error in specification of the coordinate transformation \"TR%d\": invalid azimuth angle %.14g (it must be "
    "between -720 and +720 degrees).\n";
inline constexpr const char* kTransformElevation =
    "Error in specification of the coordinate transformation \"TR%d\": invalid elevation angle %.14g (it must be "
    "between -90 and 90 degrees).\n";
inline constexpr const char* kTransformAngle =
    "Error in specification of the coordinate transformation \"TR%d\": invalid angle %.14g (it must be between "
    "-720 and +720 degrees).\n";
inline constexpr const char* kTransformShortVector =
    "Error in specification of the coordinate transformation \"TR%d\": the norm of unit vector No. %d is less "
    "than %g.\n";
inline constexpr const char* kTransformNotUnitVector =
    "Error in specification of the coordinate transformation \"TR%d\": the norm of unit vector No. %d is not "
    "equal to 1.\n";
inline constexpr const char* kTransformCollinear =
    "Error in specification of the coordinate transformation \"TR%d\": the unit vectors of the auxiliary "
    "coordinate system are collinear.\n";
inline constexpr const char* kTransformNotOrthogonal =
    "Warning: the unit vectors of the coordinate transformation \"TR%d\" are not orthogonal. The Y' unit vector "
    "will be rotated so that it is orthogonal to the X' unit vector.\n";

// Surfaces: front matter and entries.
inline constexpr const char* kSurfaceFormat =
    "Error in specification of the surface \"%s\" (the first keyword format must be \"S<n>\", where \"<n>\" is a "
    "positive integer number less than 2^31 = 2147483648).\n";
inline constexpr const char* kSurfaceDuplicate = "Error: Duplicate surface identifier \"S%d\".\n";
inline constexpr const char* kSurfaceMissing = "Error: Missing specification of a surface.\n";
inline constexpr const char* kSurfaceTransformInvalid =
    "Error in specification of surface \"S%d\": Invalid identifier of coordinate transformation \"%s\".\n";
inline constexpr const char* kSurfaceTransformUnknown =
    "Error in specification of surface \"S%d\": Unknown coordinate transformation \"%s\".\n";
inline constexpr const char* kSurfaceType =
    "Error in specification of the surface \"S%d\": the surface type must be \"P\", \"S\", \"CY\", \"CO\", "
    "\"MB\", \"RCC\", \"TRC\", \"BOX\", \"RPP\", \"RHP\", \"HEX\", \"WED\", \"ARB4\" or \"ARB\".\n";
inline constexpr const char* kEntryFormat = "Error in specification of the %s \"S%d\": incorrect number format \"%s\".\n";
inline constexpr const char* kRadiusNotPositive =
    "Error in specification of the %s \"S%d\": radius is not a positive number (%g).\n";
inline constexpr const char* kTooManyEntries =
    "Error: The number of entries in the definition of the %s \"S%d\" is greater than %d.\n";
inline constexpr const char* kTooFewEntries =
    "Error: The number of entries in the definition of the %s \"S%d\" is less than %d.\n";
inline constexpr const char* kPlaneEntryCount =
    "Error: Incorrect number of entries in the definition of the %s \"S%d\" (it must be 4, 6 or 9).\n";

// Regular surfaces.
inline constexpr const char* kPointsTooClose =
    "Error: Distance between points No. %d and No. %d in the definition of the %s \"S%d\" is less than %g cm.\n";
inline constexpr const char* kPointsCollinear =
    "Error in specification of the %s \"S%d\": the three points are collinear.\n";
inline constexpr const char* kZeroDirection =
    "Error in specification of the %s \"S%d\": all components of the direction vector are zero.\n";
inline constexpr const char* kConeAngle =
    "Error in specification of the cone \"S%d\": incorrect angle %g (it must be between %.15g and %.15g).\n";
inline constexpr const char* kSurfacesCoincide = "Warning: Surfaces %d and %d coincide.\n";
inline constexpr const char* kSurfaceLimit = "Error: The number of surfaces is greater than %d.\n";
inline constexpr const char* kMacrobodyLimit = "Error: The number of macrobodies is greater than %d.\n";

// Standard macrobodies.
inline constexpr const char* kShortHeight =
    "Error in specification of the %s \"S%d\": the norm of the height vector is less than %g cm.\n";
inline constexpr const char* kEqualRadii = "Error in specification of the %s \"S%d\": radii of both bases are equal.\n";
inline constexpr const char* kTruncatedConeAngle =
    "Error in specification of the %s \"S%d\": incorrect cone angle %g (it must be between %.15g and %.15g).\n";
inline constexpr const char* kShortEdge =
    "Error in specification of the %s \"S%d\": the norm of the edge vector No. %d is less than %g cm.\n";
inline constexpr const char* kSmallBox = "Error: The size of the %s \"S%d\" is less than %g cm.\n";
inline constexpr const char* kEdgesCollinear =
    "Error in specification of the %s \"S%d\": edges No. %d and No. %d are collinear.\n";
inline constexpr const char* kEdgesCoplanar = "Error in specification of the %s \"S%d\": all three edges are coplanar.\n";
inline constexpr const char* kShortSideDistance =
    "Error in specification of the %s \"S%d\": Distance from the symmetry axis to the side is less than %g cm.\n";
inline constexpr const char* kPrismNotOrthogonal =
    "Error: Vectors defined by the second and third triplets of entries in specification of %s \"S%d\" are not "
    "orthogonal.\n";
inline constexpr const char* kVerticesCoplanar =
    "Error in specification of the %s \"S%d\": all vertices belong to the same plane.\n";
inline constexpr const char* kFaceCodeOutOfRange =
    "Error in specification of the %s \"S%d\": invalid entry %g (entries No. 25 - 30 that are not zero must be "
    "integers in the range from 1230 to 8765, with all digits different and less than 9 and the first three digits "
    "non-zero).\n";
inline constexpr const char* kFaceCodeDigits =
    "Error in specification of the %s \"S%d\": invalid entry %d (entries No. 25 - 30 that are not zero must be "
    "integers in the range from 1230 to 8765, with all digits different and less than 9 and the first three digits "
    "non-zero).\n";
inline constexpr const char* kTooFewPlanes = "Error in specification of the %s \"S%d\": the number of planes is less than 4.\n";
inline constexpr const char* kVerticesTooClose =
    "Error in specification of the %s \"S%d\": the distance between vertices No. %d and %d is less than %g cm.\n";
inline constexpr const char* kFaceCornersCollinear =
    "Error in specification of the %s \"S%d\": the three corners described by the entry \"%d\" are collinear.\n";
inline constexpr const char* kFaceCodeInconsistent =
    "Warning: In specification of the %s \"S%d\", the entry \"%d\" is inconsistent (corner No. %d does not lie in "
    "the plane containing corners No. %d, %d and %d).\n";
inline constexpr const char* kPlanesCoincide = "Error in specification of the %s \"S%d\": some of the planes coincide.\n";
inline constexpr const char* kVertexOnTooFewPlanes =
    "Error in specification of the %s \"S%d\": vertex No. %d (%g, %g, %g) belongs to less than 3 planes.\n";
inline constexpr const char* kVerticesOnBothSides =
    "Error in specification of the %s \"S%d\": the vertices that do not belong to plane No. %d are not all on the "
    "same side of it.\n";
inline constexpr const char* kPlaneWithFewVertices =
    "Error in specification of the %s \"S%d\": plane No. %d contains less than 3 vertices.\n";

// General macrobodies and copies.
inline constexpr const char* kGeneralMacrobodyTransformed =
    "Error: An attempt to define general macrobody \"S%d\" in an auxiliary coordinate system (this is allowed only "
    "for regular surfaces and standard macrobodies).\n";
inline constexpr const char* kGeneralMacrobodyNotSupported =
    "Error: General macrobody \"S%d\" cannot be read: general macrobodies (\"MB\") are not supported by this "
    "version of Tessarin yet.\n";
inline constexpr const char* kCopyOriginalInvalid =
    "Error in specification of surface \"S%d\": Invalid identifier of the original surface \"%s\".\n";
inline constexpr const char* kCopyExtraEntries =
    "Error in specification of surface \"S%d\": Extra entries after the identifier of the original surface %d.\n";
inline constexpr const char* kCopyOriginalUnknown =
    "Error in specification of surface \"S%d\": Unknown identifier of the original surface %d.\n";

}  // namespace tessarin::input::messages
