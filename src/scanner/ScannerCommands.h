// The commands the program sends to the scanner, and the decoding of its profile reply.
//
// Two commands: WriteParameter (code 3, two data bytes: parameter number and value; nothing comes
// back) and MeasureProfile (code 5, no data; the scanner answers with one profile reply, read at
// once). Both go through the frame codec on the open channel; the caller checks ScannerIsOpen
// first.
//
// The stores are process-wide and live for the whole process:
//   CommandData  the two data bytes of the last parameter write;
//   ReplyBuffer  the payload of the last accepted profile reply;
//   ProfileRaw   its raw 14-bit values, A and B of each point in reply order;
//   PointCount   how many points ProfileRaw holds from that reply.
// A measurement that gets no valid reply (time-out, cut short, wrong checksum) or a reply too
// short to hold a point count leaves all of them, and the series, as they were.
//
// A profile payload is: byte 0 (not examined), the point count P in two 7-bit groups, then four
// bytes per point (A low, A high, B low, B high). Only the points the payload really holds are
// decoded: min(P, (L - 3) / 4) for a payload of L bytes, so a count larger than the payload never
// reads past it, and ProfileRaw has room for the most points any payload can hold. PointCount is
// that decoded number, which may be less than P.
//
// Usage (the window's Measure button):
//   scanner::MeasureProfile(SeriesOsc);       // any series with Clear and AddXY
//   scanner::WriteParameter(scanner::kParamIntensity, 25);
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <type_traits>

#include "framework/core/Color.h"
#include "scanner/FrameCodec.h"
#include "scanner/ProfileSink.h"

namespace scanner {

// Command codes.
inline constexpr std::uint8_t kCommandWriteParameter = 3;
inline constexpr std::uint8_t kCommandMeasure = 5;

// Parameters written with kCommandWriteParameter.
inline constexpr std::uint8_t kParamZero = 0;       // sent as 1 once after the channel opens
inline constexpr std::uint8_t kParamLaser = 1;      // 1 laser on, 0 laser off
inline constexpr std::uint8_t kParamIntensity = 5;  // the laser intensity

// Sizes of the stores.
inline constexpr std::size_t kReplyStoreSize = 20000;
// The most points a payload can hold: (16383 - 3) / 4.
inline constexpr std::size_t kMaxProfilePoints = (kMaxFrameLength - 3) / 4;
// Payload bytes before the first point: byte 0 and the two count bytes.
inline constexpr std::size_t kProfileHeaderSize = 3;
inline constexpr std::size_t kBytesPerPoint = 4;

// The colour of every plotted profile point (pure red, clRed).
inline constexpr fw::TColor kProfilePointColour = fw::clRed;

extern std::array<std::uint8_t, 2> CommandData;
extern std::array<std::uint8_t, kReplyStoreSize> ReplyBuffer;
extern std::array<std::uint16_t, 2 * kMaxProfilePoints> ProfileRaw;
extern std::uint16_t PointCount;

// Stores parameter and value in CommandData and sends command 3 with them. A write is never
// confirmed by the scanner.
void WriteParameter(std::uint8_t parameter, std::uint8_t value);

enum class MeasureResult {
  kPlotted,       // a valid reply replaced the series' points
  kNoValidReply,  // time-out, reply cut short or wrong checksum: nothing changed
  kNoPointCount,  // the reply's payload was shorter than 3 bytes: nothing changed
};

// Sends command 5, reads the profile reply and, when it is valid, clears the series and adds
// each point that is not marked missing with AddXY (X, Y, decimal text of X, clRed), in reply
// order.
MeasureResult MeasureProfile(ProfileSink& series);

// The same for any series type with Clear and AddXY (e.g. tee::TChartSeries), by reference or
// by pointer; a pointer must not be null.
template <class Series>
requires(!std::is_base_of_v<ProfileSink, Series>) MeasureResult MeasureProfile(Series& series) {
  SeriesSink<Series> sink(series);
  return MeasureProfile(static_cast<ProfileSink&>(sink));
}
template <class Series>
MeasureResult MeasureProfile(Series* series) {
  return MeasureProfile(*series);
}

// The decoding half of MeasureProfile, for a payload already received and checked: fills the
// stores and replaces the series' points. Refuses (kNoPointCount, nothing changed) a payload
// shorter than 3 bytes or longer than the reply store.
MeasureResult PlotProfileReply(std::span<const std::uint8_t> payload, ProfileSink& series);

}  // namespace scanner
