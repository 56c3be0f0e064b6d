// SMS settings and the three authorised numbers: block 3, 116 bytes.
#include "codec/encodings.h"
#include "codec/groups/group_rows.h"

namespace tracker {

const BlockRange ReqAuth{.block = 3, .offset = 0, .length = 116};

const GroupSpec& AuthSpec() {
  using namespace encoding;
  static const GroupSpec table = [] {
    GroupSpec t{.id = Group::Sms,
                .caption = "Auth",
                .write = ReqAuth,
                .read = ReqAuth,
                .fields = {
                    {0, 4, &kText, "SIMPIN"},
                    {4, 4, &kText, "Password"},
                    {8, 4, &kTimeZone, "SMSTimeZone"},
                    {12, 2, &kU16, "SMSTimeInterval"},
                    {14, 2, &kU16, "SMSACCOffInterval"},
                    {16, 2, &kU16, "SMSStopInterval"},
                }};
    static constexpr const char* kFlags[] = {"Answer", "Monitor", "Hangup", "Position"};
    for (int n = 1; n <= 3; ++n) {
      const auto at = static_cast<std::uint16_t>(20 + 32 * (n - 1));
      const std::string number = "Auth" + std::to_string(n);
      t.fields.push_back({at, 16, &kText, number});
      for (std::uint8_t bit = 0; bit < 4; ++bit) {
        t.fields.push_back({.offset = static_cast<std::uint16_t>(at + 16),
                            .width = 2,
                            .encoding = &kFlag,
                            .control = number + kFlags[bit],
                            .bit = bit});
      }
    }
    return t;
  }();
  return table;
}

}  // namespace tracker
