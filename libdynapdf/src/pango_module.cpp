// The text module (see text_module.h): one Pango context for the life of the
// library, set up for PDF output. Glyphs advance by the fonts' own widths:
// no kerning, no optional ligatures and no rounding to device pixels, so a
// text Pango sets in one font is exactly as wide as the same text drawn by
// cairo alone; fallback fonts and shaping come in only where the chosen font
// has no glyph or the script needs them.
#include <pango/pangocairo.h>

#include <new>
#include <string>

#include "text_module.h"

struct DynaPdfTextContext {
  PangoFontMap* fontMap = nullptr;
  PangoContext* context = nullptr;
  PangoLayout* layout = nullptr;
  PangoAttrList* attributes = nullptr;
};

namespace {

constexpr const char* kPlainAdvances = "kern 0, liga 0, clig 0";

void destroyContext(DynaPdfTextContext* text) {
  if (text == nullptr) return;
  if (text->attributes) pango_attr_list_unref(text->attributes);
  if (text->layout) g_object_unref(text->layout);
  if (text->context) g_object_unref(text->context);
  if (text->fontMap) g_object_unref(text->fontMap);
  delete text;
}

DynaPdfTextContext* createContext() {
  auto* text = new (std::nothrow) DynaPdfTextContext();
  if (text == nullptr) return nullptr;
  text->fontMap = pango_cairo_font_map_new();
  if (text->fontMap == nullptr) {
    destroyContext(text);
    return nullptr;
  }
  text->context = pango_font_map_create_context(text->fontMap);
  pango_context_set_round_glyph_positions(text->context, FALSE);
  // The PDF surface's own choice: outlines unhinted, widths unrounded.
  cairo_font_options_t* options = cairo_font_options_create();
  cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_NONE);
  cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
  pango_cairo_context_set_font_options(text->context, options);
  cairo_font_options_destroy(options);
  text->layout = pango_layout_new(text->context);
  text->attributes = pango_attr_list_new();
  pango_attr_list_insert(text->attributes, pango_attr_font_features_new(kPlainAdvances));
  pango_layout_set_attributes(text->layout, text->attributes);
  return text;
}

// One line of text: control characters, which Pango would take for tab
// stops or line breaks, stand as blanks, as they do in cairo's own drawing.
std::string oneLine(const char* text) {
  std::string line(text);
  for (std::size_t at = 0; at < line.size(); ++at) {
    const auto byte = static_cast<unsigned char>(line[at]);
    if (byte < 0x20 || byte == 0x7F) {
      line[at] = ' ';
    } else if (byte == 0xE2 && at + 2 < line.size() && line[at + 1] == '\x80' &&
               (line[at + 2] == '\xA8' || line[at + 2] == '\xA9')) {
      line.replace(at, 3, "   ");  // line and paragraph separator
    } else if (byte == 0xC2 && at + 1 < line.size() && line[at + 1] == '\x85') {
      line.replace(at, 2, "  ");  // next line
    }
  }
  return line;
}

PangoLayoutLine* setLine(DynaPdfTextContext* text, const char* family, double size,
                         const char* utf8) {
  PangoFontDescription* font = pango_font_description_new();
  pango_font_description_set_family(font, family);
  pango_font_description_set_absolute_size(font, size * PANGO_SCALE);
  pango_layout_set_font_description(text->layout, font);
  pango_font_description_free(font);
  const std::string line = oneLine(utf8);
  pango_layout_set_text(text->layout, line.c_str(), static_cast<int>(line.size()));
  return pango_layout_get_line_readonly(text->layout, 0);
}

int measureText(DynaPdfTextContext* text, const char* family, double size, const char* utf8,
                double* width) {
  if (text == nullptr || family == nullptr || utf8 == nullptr || width == nullptr) return 0;
  PangoLayoutLine* line = setLine(text, family, size, utf8);
  if (line == nullptr) return 0;
  PangoRectangle logical;
  pango_layout_line_get_extents(line, nullptr, &logical);
  *width = static_cast<double>(logical.width) / PANGO_SCALE;
  return 1;
}

int drawText(DynaPdfTextContext* text, cairo_t* cr, const char* family, double size,
             const char* utf8) {
  if (text == nullptr || cr == nullptr || family == nullptr || utf8 == nullptr) return 0;
  PangoLayoutLine* line = setLine(text, family, size, utf8);
  if (line == nullptr) return 0;
  pango_cairo_show_layout_line(cr, line);
  return 1;
}

constexpr DynaPdfTextModule kModule = {
    dynapdf::kTextModuleVersion, createContext, destroyContext, measureText, drawText,
};

}  // namespace

extern "C" __attribute__((visibility("default"))) const DynaPdfTextModule* dynapdfTextModule() {
  return &kModule;
}
