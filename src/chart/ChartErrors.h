// The chart engine's messages and exception classes.
//
// Every text the engine shows or uses as a resource lives in one string table, looked up by
// `TeeMsg(TTeeMessage)`. A property setter that refuses a value raises one of the three exception
// classes with a message of the table (formatted with its arguments) and keeps the old value:
//
//   throw ChartException(TTeeMessage::ChartPercent3D, {1, 100});
//   // "3D effect percent must be between 1 and 100"
//
// The three classes derive from the framework's base exception, side by side, so a handler can
// tell an axis error from a legend error; the window's error report shows `what()`.
#pragma once

#include <initializer_list>
#include <string>

#include "framework/core/Exceptions.h"
#include "framework/core/Format.h"

namespace tee {

enum class TTeeMessage {
  // Resources loaded when a series or a font is created.
  XValuesName,           // "X"
  YValuesName,           // "Y"
  DefaultValueFormat,    // "#,##0.###"
  DefaultPercentFormat,  // "##0.## %"
  DefaultFontName,       // "Arial"
  DefaultFontSize,       // "8"
  PercentOfTotal,        // "%s of %s"
  SeriesTitleDefault,    // "Series "
  AxisLabelsName,        // "Axis Labels"
  AxisTitleName,         // "Axis Title"
  // Series and data sources.
  NoParentChart,       // "No ParentChart to validate DataSource"
  InvalidDataSource,   // "No valid DataSource: %s"
  CircularDataSource,  // "Circular Series dependences are not allowed"
  FillSampleCount,     // "FillSampleValues NumValues must be > 0"
  // Chart.
  ChartPercent3D,    // "3D effect percent must be between %d and %d"
  MaxPointsPerPage,  // "MaxPointsPerPage must be >= 0"
  // Axes.
  AxisIncrement,        // "Axis increment must be >= 0"
  AxisMinimum,          // "Axis Minimum Value must be <= Maximum"
  AxisMaximum,          // "Axis Maximum Value must be >= Minimum"
  AxisLogBase,          // "Axis Logarithmic Base should be >= 2"
  AxisLogDateTime,      // "DateTime Axis cannot be Logarithmic"
  AxisLogNegative,      // "Logarithmic Axis Min and Max values should be >= 0"
  AxisLabelSeparation,  // "Labels Separation % must be greater than 0"
  AngleRange,           // "%s Angle must be between 0 and 359 degrees"
  // Legend.
  LegendTopPos,      // "Top Legend Position must be between 0 and 100 %"
  LegendFirstValue,  // "First Legend Value must be > 0"
  LegendColorWidth,  // "Legend Color Width must be between 0 and 100 %"
  // Point series.
  PointerSize,  // "Pointer size must be greater than zero"
};

// The English text of a message or resource.
const std::string& TeeMsg(TTeeMessage id);
// The text with its placeholders filled in.
std::string TeeMsg(TTeeMessage id, std::initializer_list<fw::TFormatArg> args);

class ChartException : public fw::Exception {
 public:
  explicit ChartException(const std::string& message) : fw::Exception(message) {}
  explicit ChartException(TTeeMessage id, std::initializer_list<fw::TFormatArg> args = {})
      : fw::Exception(TeeMsg(id, args)) {}
};

class AxisException : public fw::Exception {
 public:
  explicit AxisException(const std::string& message) : fw::Exception(message) {}
  explicit AxisException(TTeeMessage id, std::initializer_list<fw::TFormatArg> args = {})
      : fw::Exception(TeeMsg(id, args)) {}
};

class LegendException : public fw::Exception {
 public:
  explicit LegendException(const std::string& message) : fw::Exception(message) {}
  explicit LegendException(TTeeMessage id, std::initializer_list<fw::TFormatArg> args = {})
      : fw::Exception(TeeMsg(id, args)) {}
};

}  // namespace tee
