#include "channel/CKeyboardUtil.h"

#include <algorithm>

namespace z9rt {

int ReadTimeoutMs(int waitLimit) {
    return std::clamp(waitLimit / kWaitLimitUnitsPerMs, 0, kLongestReadWaitMs);
}

}  // namespace z9rt

using z9rt::kPayloadSize;
using z9rt::kReportSize;

CKeyboardUtil::CKeyboardUtil(std::unique_ptr<z9rt::HidConnection> connection)
    : connection_(std::move(connection)) {}

CKeyboardUtil::~CKeyboardUtil() = default;

bool CKeyboardUtil::WriteReport(const unsigned char* buffer, int length) {
    if (connection_ == nullptr || buffer == nullptr || length <= 0 ||
        static_cast<std::size_t>(length) > kReportSize) {
        return false;
    }
    z9rt::OutputReport report{};
    std::copy(buffer, buffer + length, report.begin());
    return connection_->Write(report);
}

bool CKeyboardUtil::ReadReport(unsigned char* buffer, int& length, int waitLimit) {
    if (connection_ == nullptr || buffer == nullptr || length <= 0) {
        return false;
    }
    z9rt::Payload payload;
    if (connection_->Read(payload, z9rt::ReadTimeoutMs(waitLimit)) != z9rt::ReadOutcome::Report) {
        return false;
    }
    length = static_cast<int>(std::min(static_cast<std::size_t>(length), kPayloadSize));
    std::copy(payload.begin(), payload.begin() + length, buffer);
    return true;
}

bool CKeyboardUtil::SendPayload(const z9rt::Payload& payload) {
    z9rt::OutputReport report;
    report[0] = z9rt::kReportId;
    std::copy(payload.begin(), payload.end(), report.begin() + 1);
    return WriteReport(report.data(), static_cast<int>(report.size()));
}

bool CKeyboardUtil::ReceivePayload(z9rt::Payload& payload) {
    int length = static_cast<int>(payload.size());
    payload.fill(0);
    return ReadReport(payload.data(), length, z9rt::kReadWaitLimit) &&
           length == static_cast<int>(payload.size());
}
