#pragma once
// Console texts of materials, cells, unions, surface expressions, general
// macrobodies, the source and the layer geometry, word for word; "%" places
// are filled with FormatText.

namespace tessarin::input::messages {

// Materials and names.
inline constexpr const char* kMaterialLimit = "Error: The number of materials is greater than %d.\n";
inline constexpr const char* kMaterialDuplicate = "Error: Duplicate material identifier \"M%d\".\n";
inline constexpr const char* kMaterialNameQuote = "Error: Missing closing quote in the name of a material.\n";
inline constexpr const char* kLayerMaterialNameQuote = "Error: Missing closing quote in the name of the material.\n";
inline constexpr const char* kMaterialUndefined = "Error: Undefined material identifier \"%d\".\n";

// Cells.
inline constexpr const char* kCellLimit = "Error: The number of cells is greater than %d.\n";
inline constexpr const char* kCellDuplicate = "Error: Duplicate cell identifier \"C%d\".\n";
inline constexpr const char* kCellMissing = "Error: Missing specification of a cell.\n";
inline constexpr const char* kCellMaterialInvalid =
    "Error: Invalid material identifier \"%s\" in the definition of a cell.\n";
inline constexpr const char* kCellConcentrationMissing =
    "Error: Missing concentration value in the definition of a cell.\n";
inline constexpr const char* kCellConcentrationInvalid =
    "Error: Invalid concentration value \"%s\" in the definition of a cell.\n";
inline constexpr const char* kCellConcentrationZero = "Error: Zero concentration value in the definition of a cell.\n";
inline constexpr const char* kCellNoSurfaces =
    "Error: There are no bounding surfaces listed in the definition of cell %d.\n";
inline constexpr const char* kCellCutoffMissing =
    "Error: Missing value of the cutoff energy in the definition of a cell.\n";
inline constexpr const char* kCellCutoffIllegal =
    "Error: Illegal value \"%s\" of the cutoff energy in the definition of a cell (it must be a positive number).\n";
inline constexpr const char* kCellVolumeMissing = "Error: Missing value of the cell volume in the definition of a cell.\n";
inline constexpr const char* kCellVolumeIllegal =
    "Error: Illegal value \"%s\" of the cell volume in the definition of a cell (it must be a positive number).\n";
inline constexpr const char* kCellForceMissing =
    "Error: Missing value of the option to apply interaction forcing in a cell.\n";
inline constexpr const char* kCellForceIllegal =
    "Error: Illegal value \"%s\" of the option to apply interaction forcing in a cell (it must be 0 or 1).\n";
inline constexpr const char* kCellSurfacesAfterCopy =
    "Error: Bounding surfaces cannot be specified in the definition of a cell after specifying the coordinate "
    "transformation of the original cell.\n";

// Transformed copies of cells.
inline constexpr const char* kCopyTransformInvalid =
    "Error: Invalid identifier of coordinate transformation \"%s\" in the definition of a cell.\n";
inline constexpr const char* kCopyTransformUnknown =
    "Error: Unknown coordinate transformation \"%s\" in the definition of a cell.\n";
inline constexpr const char* kCopyTransformMultiple =
    "Error: Multiple coordinate transformations of the original cell specified in the definition of a cell.\n";
inline constexpr const char* kCopyTransformAfterSurfaces =
    "Error: A coordinate transformation of the original cell cannot be specified in the definition of a cell after "
    "specifying the bounding surfaces.\n";
inline constexpr const char* kCopyOriginalCellMissing =
    "Error: Missing identifier of the original cell after \"TR%d\" in the definition of a cell.\n";
inline constexpr const char* kCopyOriginalCellInvalid =
    "Error: Invalid identifier of the original cell \"%s\" after \"TR%d\" in the definition of a cell.\n";
inline constexpr const char* kCopyOriginalCellUnknown =
    "Error: Unknown identifier of the original cell \"%s\" after \"TR%d\" in the definition of a cell.\n";

// Complements.
inline constexpr const char* kComplementFormat =
    "Error in specification of a cell \"%s\" after the complement operator \"#\".\n";
inline constexpr const char* kComplementUndefined =
    "Error: The cell identifier \"%d\" after the complement operator \"#\" is undefined.\n";
inline constexpr const char* kComplementAlreadyInside =
    "Error: Cell %d cannot be inside cell %d, because it is inside cell %d.\n";
inline constexpr const char* kComplementInUnion =
    "Error: Cell %d cannot be specified after the complement operator, because it is a part of a union of cells.\n";

// Unions.
inline constexpr const char* kUnionMissing = "Error: Missing specification of a union of cells.\n";
inline constexpr const char* kUnionMaterialInvalid =
    "Error: Invalid material identifier \"%s\" in the definition of a union of cells.\n";
inline constexpr const char* kUnionConcentrationMissing =
    "Error: Missing concentration value in the definition of a union of cells.\n";
inline constexpr const char* kUnionConcentrationInvalid =
    "Error: Invalid concentration value \"%s\" in the definition of a union of cells.\n";
inline constexpr const char* kUnionConcentrationZero =
    "Error: Zero concentration value in the definition of a union of cells.\n";
inline constexpr const char* kUnionNoCells = "Error: There are no cells listed in the definition of a union of cells.\n";
inline constexpr const char* kUnionCutoffMissing =
    "Error: Missing value of the cutoff energy in the definition of a union of cells.\n";
inline constexpr const char* kUnionCutoffIllegal =
    "Error: Illegal value \"%s\" of the cutoff energy in the definition of a union of cells (it must be a positive "
    "number).\n";
inline constexpr const char* kUnionVolumeMissing =
    "Error: Missing value of the cell volume in the definition of a union of cells.\n";
inline constexpr const char* kUnionVolumeIllegal =
    "Error: Illegal value \"%s\" of the cell volume in the definition of a union of cells (it must be a positive "
    "number).\n";
inline constexpr const char* kUnionForceMissing =
    "Error: Missing value of the option to apply interaction forcing in a union of cells.\n";
inline constexpr const char* kUnionForceIllegal =
    "Error: Illegal value \"%s\" of the option to apply interaction forcing in a union of cells (it must be 0 or "
    "1).\n";
inline constexpr const char* kUnionCellInvalid = "Error: Invalid cell identifier \"%s\".\n";
inline constexpr const char* kUnionCellUndefined = "Error: Undefined cell identifier \"%d\".\n";
inline constexpr const char* kUnionSourceCell =
    "Error: Cell %d, which is used in the definition of a union, was previously defined as a source cell (the "
    "source cell that is a union of cells must be defined after the union, and its definition must specify only "
    "the first cell of the union).\n";
inline constexpr const char* kUnionCellTaken = "Error: Cell %d is already included in another union of cells.\n";
inline constexpr const char* kUnionIncompatible =
    "Geometry error: Cells %d and %d cannot be parts of the same union of cells, because their depth levels are "
    "different, or because they are inside different cells, which are not themselves parts of a union of cells.\n";
inline constexpr const char* kUnionSingleCell = "Error: Only one cell is listed in the definition of a union of cells.\n";

// Surface expressions of cells and general macrobodies.
inline constexpr const char* kExpressionSeparator =
    "Error: Separator '%c' found in the definition of a cell or a general macrobody.\n";
inline constexpr const char* kExpressionObjectInvalid =
    "Error: Invalid object identifier \"%s\" (it must be a positive integer number less than 2^31 = 2147483648.\n";
inline constexpr const char* kExpressionNoMacrobody = "Error: There is no macrobody with ID %d.\n";
inline constexpr const char* kExpressionDanglingSeparator =
    "Error: Separator '%c' is not followed either by an identifier or the left bracket.\n";
inline constexpr const char* kExpressionFacetInvalid =
    "Error: Invalid macrobody facet identifier \"%d.%s\" (it must be a positive integer number less than 2^31 = "
    "2147483648.\n";
inline constexpr const char* kExpressionFacetTrailing = "Error: Invalid macrobody facet identifier \"%d.%s\".\n";
inline constexpr const char* kExpressionFacetBeyond = "Error: Macrobody %d has less than %d facets.\n";
inline constexpr const char* kExpressionSeparatorDepth2 = "Error: Separator '%c' found at bracket depth 2.\n";
inline constexpr const char* kExpressionSeparatorInFacet =
    "Error: Separator '%c' found in the sequence number of a macrobody facet.\n";
inline constexpr const char* kExpressionUndefinedSurface = "Error: Undefined surface identifier \"%d\".\n";
inline constexpr const char* kExpressionStandardWithoutMinus =
    "Error: The identifier of a standard macrobody has been specified in the definition of %s %d without the minus "
    "sign.\n";
inline constexpr const char* kExpressionGeneralWithMinus =
    "Error: The identifier of a general macrobody has been specified in the definition of %s %d with the minus "
    "sign.\n";
inline constexpr const char* kExpressionTooManyEntries = "Error: The number of facets of %s %d is greater than %d.\n";

// General macrobodies.
inline constexpr const char* kGeneralMacrobodyTooFew =
    "Error: The number of surfaces specified in the definition of general macrobody \"S%d\" is less than 2.\n";
inline constexpr const char* kGeneralMacrobodyRemovedOne =
    "Warning: Region %s was removed from the definition of general macrobody \"S%d\".\n";
inline constexpr const char* kGeneralMacrobodyRemovedTwo =
    "Warning: Regions %s and %s were removed from the definition of general macrobody \"S%d\".\n";
inline constexpr const char* kGeneralMacrobodyRemovedMany =
    "Warning: %d regions (%s, %s, ...) were removed from the definition of general macrobody \"S%d\".\n";

// Layer geometry.
inline constexpr const char* kLayerSurfaceNumber =
    "Error: Invalid number \"%s\" in specification of the front surface of the layer.\n";
inline constexpr const char* kLayerSurfaceTooFew =
    "Error: Number of entries in specification of the front surface of the layer is less than 6.\n";
inline constexpr const char* kLayerSurfaceZeroNormal =
    "Error in values of components of the normal vector of the front surface of the layer (at least one of them "
    "must be non-zero).\n";
inline constexpr const char* kThicknessMissing = "Error: Thickness value is missing.\n";

// Beam and source.
inline constexpr const char* kBeamAfterSource =
    "Error: Keyword \"BEAM\" cannot be used after specifying the initial position or the direction of the source "
    "particles.\n";
inline constexpr const char* kBeamNumber = "Error: Invalid number \"%s\" in specification of the incident beam.\n";
inline constexpr const char* kBeamTooFew = "Error: Number of entries in specification of the incident beam is less than 6.\n";
inline constexpr const char* kBeamZeroDirection =
    "Error in values of components of the direction vector of the incident beam (at least one of them must be "
    "non-zero).\n";
inline constexpr const char* kPositionRepeated =
    "Error: Keyword \"SOURCE_POSITION\" cannot be used after specifying the position of the source.\n";
inline constexpr const char* kPositionTypeMissing =
    "Error: Missing specification of the source position type (it should be 1 for a point source, 2 for a "
    "rotationally symmetric distribution on a plane, or 3 for a uniform distribution inside an arbitrary cell with "
    "finite dimensions).\n";
inline constexpr const char* kPositionTypeInvalid =
    "Error: Invalid specification of the source position type \"%s\" (it should be 1 for a point source, 2 for a "
    "rotationally symmetric distribution on a plane, or 3 for a uniform distribution inside an arbitrary cell with "
    "finite dimensions).\n";
inline constexpr const char* kPositionMissing = "Error: Missing specification of the source position.\n";
inline constexpr const char* kSourceCellInvalid = "Error: \"%s\" is not a valid identifier of the source cell.\n";
inline constexpr const char* kSourceCellUndefined =
    "Error: Undefined cell identifier \"%s\" in the definition of the source cell.\n";
inline constexpr const char* kSourceCellNotFirst =
    "Error: A cell that is a part of a union can be defined as a source cell only if it the first cell of the "
    "union.\n";
inline constexpr const char* kSourceCoordinateInvalid = "Error: \"%s\" is not a valid value of a source coordinate.\n";
inline constexpr const char* kSourceCentreIncomplete =
    "Error: At least one of the three source center coordinates has not been specified.\n";
inline constexpr const char* kSourceNormalMissing = "Error: Missing specification of the source surface normal.\n";
inline constexpr const char* kSourceNormalInvalid =
    "Error: \"%s\" is not a valid value of a component of a source surface normal.\n";
inline constexpr const char* kSourceNormalIncomplete =
    "Error: At least one of the three components of the source surface normal has not been specified.\n";
inline constexpr const char* kSourceNormalZero =
    "Error in values of components of the source surface normal vector (at least one of them must be non-zero).\n";
inline constexpr const char* kSourceRadiusMissing =
    "Error: Missing value of the radius of the area with constant surface density of the source.\n";
inline constexpr const char* kSourceRadiusInvalid =
    "Error: \"%s\" is not a valid value of the radius of the area with constant surface density of the source.\n";
inline constexpr const char* kSourceWidthMissing = "Error: Missing value of the source Gaussian RMS width.\n";
inline constexpr const char* kSourceWidthInvalid = "Error: \"%s\" is not a valid value of the source Gaussian RMS width.\n";
inline constexpr const char* kDirectionRepeated =
    "Error: Keyword \"SOURCE_DIRECTION\" cannot be used after specifying the direction of the source particles.\n";
inline constexpr const char* kDirectionTypeMissing =
    "Error: Missing specification of the source direction type (it should be 1 for a parallel beam, 2 for a uniform "
    "distribution inside a cone, or 3 for the isotropic distribution).\n";
inline constexpr const char* kDirectionTypeInvalid =
    "Error: Invalid specification of the source direction type \"%s\" (it should be 1 for a parallel beam, 2 for a "
    "uniform distribution inside a cone, or 3 for the isotropic distribution).\n";
inline constexpr const char* kDirectionVectorMissing = "Error: Missing specification of the source direction vector.\n";
inline constexpr const char* kDirectionVectorInvalid =
    "Error: \"%s\" is not a valid value of a component of the source direction vector.\n";
inline constexpr const char* kDirectionVectorIncomplete =
    "Error: At least one of three components of the source direction vector has not been specified.\n";
inline constexpr const char* kConeAngleMissing = "Error: Missing specification of the source cone angle.\n";
inline constexpr const char* kConeAngleInvalid =
    "Error: \"%s\" is not a valid value of the source cone angle (it must be between 0 and 180 degrees).\n";

}  // namespace tessarin::input::messages
