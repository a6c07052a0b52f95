#include "chart/ChartErrors.h"

#include <array>

#include "framework/core/Format.h"

namespace tee {
namespace {

struct Entry {
  TTeeMessage id;
  const char* text;
};

// Kept in the order of TTeeMessage; checked once on first use.
constexpr std::array kTable{
    Entry{TTeeMessage::XValuesName, "X"},
    Entry{TTeeMessage::YValuesName, "Y"},
    Entry{TTeeMessage::DefaultValueFormat, "#,##0.###"},
    Entry{TTeeMessage::DefaultPercentFormat, "##0.## %"},
    Entry{TTeeMessage::DefaultFontName, "Arial"},
    Entry{TTeeMessage::DefaultFontSize, "8"},
    Entry{TTeeMessage::PercentOfTotal, "%s of %s"},
    Entry{TTeeMessage::SeriesTitleDefault, "Series "},
    Entry{TTeeMessage::AxisLabelsName, "Axis Labels"},
    Entry{TTeeMessage::AxisTitleName, "Axis Title"},
    Entry{TTeeMessage::NoParentChart, "No ParentChart to validate DataSource"},
    Entry{TTeeMessage::InvalidDataSource, "No valid DataSource: %s"},
    Entry{TTeeMessage::CircularDataSource, "Circular Series dependences are not allowed"},
    Entry{TTeeMessage::FillSampleCount, "FillSampleValues NumValues must be > 0"},
    Entry{TTeeMessage::ChartPercent3D, "3D effect percent must be between %d and %d"},
    Entry{TTeeMessage::MaxPointsPerPage, "MaxPointsPerPage must be >= 0"},
    Entry{TTeeMessage::AxisIncrement, "Axis increment must be >= 0"},
    Entry{TTeeMessage::AxisMinimum, "Axis Minimum Value must be <= Maximum"},
    Entry{TTeeMessage::AxisMaximum, "Axis Maximum Value must be >= Minimum"},
    Entry{TTeeMessage::AxisLogBase, "Axis Logarithmic Base should be >= 2"},
    Entry{TTeeMessage::AxisLogDateTime, "DateTime Axis cannot be Logarithmic"},
    Entry{TTeeMessage::AxisLogNegative, "Logarithmic Axis Min and Max values should be >= 0"},
    Entry{TTeeMessage::AxisLabelSeparation, "Labels Separation % must be greater than 0"},
    Entry{TTeeMessage::AngleRange, "%s Angle must be between 0 and 359 degrees"},
    Entry{TTeeMessage::LegendTopPos, "Top Legend Position must be between 0 and 100 %"},
    Entry{TTeeMessage::LegendFirstValue, "First Legend Value must be > 0"},
    Entry{TTeeMessage::LegendColorWidth, "Legend Color Width must be between 0 and 100 %"},
    Entry{TTeeMessage::PointerSize, "Pointer size must be greater than zero"},
};

constexpr bool TableInOrder() {
  for (std::size_t i = 0; i < kTable.size(); ++i)
    if (static_cast<std::size_t>(kTable[i].id) != i) return false;
  return true;
}
static_assert(TableInOrder(), "the string table must follow the order of TTeeMessage");

}  // namespace

const std::string& TeeMsg(TTeeMessage id) {
  static const std::array<std::string, kTable.size()> texts = [] {
    std::array<std::string, kTable.size()> t;
    for (std::size_t i = 0; i < kTable.size(); ++i) t[i] = kTable[i].text;
    return t;
  }();
  return texts[static_cast<std::size_t>(id)];
}

std::string TeeMsg(TTeeMessage id, std::initializer_list<fw::TFormatArg> args) {
  return fw::Format(TeeMsg(id), args);
}

}  // namespace tee
