#pragma once
// Domain tables of the suite's map programs: elevation colour palettes for
// terrain models, the line styles of vector layers, and the kinds of values
// an attribute can be filled with automatically.
//
// Captions and names follow the current language (getCurLanguageId(): "ru"
// gives Russian, anything else English) at the moment they are asked for.
// Every text is UTF-8. The tables are constant and safe to read from any
// thread.

#include "kvsuite/kvsuite_export.h"

#include <string>
#include <vector>

// Elevation palettes ----------------------------------------------------------
// A palette maps a relative elevation t in [0, 1] (0 the lowest point of the
// model, 1 the highest) to a colour, interpolating linearly between its
// stops. t below 0 or NaN gives the first stop's colour, above 1 the last.
class KVSUITE_EXPORT TKvElevationPalette {
public:
  struct TStop {
    double Pos;     // 0..1, strictly increasing along the palette
    double R, G, B; // 0..1
  };

  TKvElevationPalette(std::string name, std::string captionEn, std::string captionRu, std::vector<TStop> stops);

  // The palette's stable identifier (ASCII, stored in settings files).
  const std::string& GetName() const { return FName; }
  // The caption in the current language.
  const std::string& GetCaption() const;
  // The caption in "en" or "ru" (English for any other id).
  const std::string& GetCaption(const std::string& languageId) const;
  void GetColor(double t, double& r, double& g, double& b) const;
  const std::vector<TStop>& GetStops() const { return FStops; }

  // Every palette of the suite, in the order programs offer them.
  static const std::vector<TKvElevationPalette> s_Palettes;
  // The palette of that name, or null.
  static const TKvElevationPalette* FindPalette(const std::string& name);

private:
  std::string FName;
  std::string FCaptionEn;
  std::string FCaptionRu;
  std::vector<TStop> FStops;
};

// Line styles -----------------------------------------------------------------
// The line styles of vector layers, by index. A style value says how a line is
// dashed (TStyle); programs draw a value they do not know as nothing.
class KVSUITE_EXPORT TKvLineStyleParams {
public:
  enum TStyle { lsSolid = 0, lsDash = 1, lsDot = 2, lsDashDot = 3, lsDashDotDot = 4 };

  static unsigned long GetLineStylesCount();
  // The style value of the entry; -1 for an index past the end.
  static int GetLineStyle(unsigned long index);
  // The entry's name in the current language; empty past the end.
  static std::string GetLineStyleName(unsigned long index);
};

// Automatic attribute filling ------------------------------------------------
// Which value a program computes for every object of a layer and writes into
// an attribute, in which units, into an attribute of which type.
class KVSUITE_EXPORT TAutoFillAttr {
public:
  enum TAutoFillMode {
    afmArea = 0,          // area of the object on the map plane
    afmEllipsoidArea = 1, // area of the object on the ellipsoid
    afmPerimeter = 2,     // length of the outline, metres
    afmObjectNumber = 3,  // number of the object in the layer
    afmVertexCount = 4,   // number of vertices of the object
    afmCount
  };
  enum TSquareUnits {
    asuMapUnits = 0,      // square units of the map's coordinate system
    asuSquareMetres = 1,
    asuHectares = 2,
    asuSquareKilometres = 3,
    asuCount
  };

  TAutoFillMode Mode = afmArea;
  TSquareUnits Units = asuMapUnits;
  // Template type of the receiving attribute (index into AttrTemplateTypeStr).
  int AttrType = 2;

  // Texts in the current language; empty for a value outside the enumeration.
  static std::string GetAFModeStr(int mode);
  static std::string GetSquareUnitsStr(int units);
  // Whether the mode's value is an area, so that square units apply.
  static bool GetUnitsEnabled(int mode);
  // The attribute template type the mode's value needs, or 0 when the user
  // chooses it (areas may be stored as integer, real or text).
  static int GetAutoFillAttrType(int mode);
  // Square metres in one unit; 0 for map units, whose size the map decides.
  static double GetSquareUnitsFactor(int units);
};

// Names of the attribute template types in the current language, indexed by
// type: 0 (no type, never offered), 1 integer, 2 real, 3 text, 4 date;
// AttrTemplateTypeCount entries, then a null pointer.
enum { AttrTemplateTypeCount = 5 };
KVSUITE_EXPORT const char* const* KvAttrTemplateTypeStrings();
#define AttrTemplateTypeStr (KvAttrTemplateTypeStrings())
