#include "scanner/ScannerCommands.h"

#include <algorithm>
#include <string>

#include "scanner/ProfilePoint.h"

namespace scanner {

std::array<std::uint8_t, 2> CommandData{};
std::array<std::uint8_t, kReplyStoreSize> ReplyBuffer{};
std::array<std::uint16_t, 2 * kMaxProfilePoints> ProfileRaw{};
std::uint16_t PointCount = 0;

namespace {

// The reply is read here first and copied into ReplyBuffer only once it is accepted, so that a
// failed or refused reply leaves the store holding the last good profile.
ReplyBytes IncomingReply{};

}  // namespace

void WriteParameter(std::uint8_t parameter, std::uint8_t value) {
  CommandData[0] = parameter;
  CommandData[1] = value;
  SendCommand(kCommandWriteParameter, CommandData);
}

MeasureResult MeasureProfile(ProfileSink& series) {
  SendCommand(kCommandMeasure);
  std::uint16_t length = 0;
  if (!ReceiveReply(length, IncomingReply)) return MeasureResult::kNoValidReply;
  return PlotProfileReply(std::span<const std::uint8_t>(IncomingReply.data(), length), series);
}

MeasureResult PlotProfileReply(std::span<const std::uint8_t> payload, ProfileSink& series) {
  if (payload.size() < kProfileHeaderSize || payload.size() > ReplyBuffer.size()) {
    return MeasureResult::kNoPointCount;
  }
  std::copy(payload.begin(), payload.end(), ReplyBuffer.begin());

  const std::size_t announced = JoinRaw14(ReplyBuffer[1], ReplyBuffer[2]);
  const std::size_t held = (payload.size() - kProfileHeaderSize) / kBytesPerPoint;
  const std::size_t points = std::min(announced, held);
  PointCount = static_cast<std::uint16_t>(points);
  // Every raw value is stored before the first point is plotted.
  for (std::size_t i = 0; i < 2 * points; ++i) {
    ProfileRaw[i] = JoinRaw14(ReplyBuffer[3 + 2 * i], ReplyBuffer[4 + 2 * i]);
  }

  series.Clear();
  for (std::size_t k = 0; k < points; ++k) {
    const std::int32_t a = SignExtend14(ProfileRaw[2 * k]);
    const std::int32_t b = SignExtend14(ProfileRaw[2 * k + 1]);
    if (a == kNoPointMarker || b == kNoPointMarker) continue;
    const std::int32_t x = ChartX(b);
    const std::int32_t y = ChartY(a);
    series.AddXY(static_cast<double>(x), static_cast<double>(y), std::to_string(x),
                 kProfilePointColour);
  }
  return MeasureResult::kPlotted;
}

}  // namespace scanner
