#include "framework/core/FormatSettings.h"

#include <langinfo.h>
#include <locale.h>

namespace fw {

TFormatSettings& FormatSettings() {
  static TFormatSettings settings;
  return settings;
}

TFormatSettings SystemFormatSettings() {
  TFormatSettings settings;
  locale_t loc = newlocale(LC_NUMERIC_MASK, "", static_cast<locale_t>(0));
  if (!loc) return settings;
  const char* thousands = nl_langinfo_l(THOUSEP, loc);
  const char* decimal = nl_langinfo_l(RADIXCHAR, loc);
  if (thousands && *thousands) settings.ThousandSeparator = thousands;
  if (decimal && *decimal) settings.DecimalSeparator = decimal;
  freelocale(loc);
  return settings;
}

}  // namespace fw
