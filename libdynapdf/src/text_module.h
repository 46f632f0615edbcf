// The text module: Pango, with its font fallback and shaping, in a module of
// its own (dynapdf-pango.so beside the library) that the library loads only
// when a text needs it. Most invoices are Latin text that the chosen font
// covers; they are drawn by cairo alone and never pay for loading Pango and
// GLib. Both sides compile this header; the module exports one function,
// dynapdfTextModule, that hands out the table below.
#ifndef DYNAPDF_TEXT_MODULE_H
#define DYNAPDF_TEXT_MODULE_H

#include <cairo.h>

extern "C" {

// Opaque state of the module: Pango's font map and context.
struct DynaPdfTextContext;

struct DynaPdfTextModule {
  // Must equal kTextModuleVersion; a module of another version is not used.
  int version;
  // Makes the module's state; null when Pango cannot be set up.
  DynaPdfTextContext* (*create)(void);
  void (*destroy)(DynaPdfTextContext* context);
  // The advance width in points of UTF-8 `text` set in `family` at `size`
  // points: glyphs missing from the family come from fallback fonts, shaped,
  // without kerning or ligatures. Non-zero on success.
  int (*measure)(DynaPdfTextContext* context, const char* family, double size, const char* text,
                 double* width);
  // Draws `text` as measure sets it, its baseline starting at the current
  // point of `cr`. Non-zero on success.
  int (*draw)(DynaPdfTextContext* context, cairo_t* cr, const char* family, double size,
              const char* text);
};

}  // extern "C"

namespace dynapdf {

inline constexpr int kTextModuleVersion = 1;
inline constexpr const char* kTextModuleEntry = "dynapdfTextModule";
inline constexpr const char* kTextModuleFile = "dynapdf-pango.so";

using TextModuleEntry = const DynaPdfTextModule* (*)();

}  // namespace dynapdf

#endif
