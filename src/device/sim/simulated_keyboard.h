// A simulated keyboard: shows up as a catalogued keyboard with its interfaces, records every
// report written to it or read from it with the time it came, decodes the reports into the
// keyboard's state and answers the slot-table and firmware-version reads. Faults can be
// injected: refused writes, reads that stop being answered, unplugging and plugging in again.
// Every member is safe to call from any thread (the worker writes while tests read).
#pragma once

#include <atomic>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <span>
#include <vector>

#include "device/hid_handle.h"
#include "device/hid_interface_info.h"
#include "device/sim/keyboard_report_decoder.h"
#include "device/sim/recorded_report.h"
#include "device/sim/simulated_keyboard_identity.h"
#include "device/sim/simulated_keyboard_state.h"
#include "device/sleeper.h"
#include "os/device_change.h"

class SimulatedKeyboard : public std::enable_shared_from_this<SimulatedKeyboard> {
public:
    // The report log keeps at most this many reports, dropping the oldest.
    static constexpr size_t kReportLimit = 100000;

    // `instance` tells the keyboard's interface names and paths apart from other keyboards';
    // `clock` stamps the reports.
    SimulatedKeyboard(SimulatedKeyboardIdentity identity, int instance,
                      std::shared_ptr<const Sleeper> clock, bool plugged);
    SimulatedKeyboard(const SimulatedKeyboard&) = delete;
    SimulatedKeyboard& operator=(const SimulatedKeyboard&) = delete;

    const SimulatedKeyboardIdentity& Identity() const { return identity_; }
    // The interfaces as an enumeration lists them while the keyboard is plugged in.
    const std::vector<HidInterfaceInfo>& Interfaces() const { return interfaces_; }

    // Unplugging ends every open handle (its transfers fail from then on, also after the
    // keyboard is plugged in again) and reports a removal per interface; plugging in reports
    // an arrival per interface. Each does nothing when the keyboard is already so.
    void Unplug();
    void PlugIn();
    bool IsPlugged() const;
    // Where arrivals and removals go; called outside the keyboard's lock.
    void SetDeviceChangeCallback(DeviceChangeCallback callback);

    // Refuses the next `count` writes (output and feature reports).
    void FailNextWrites(int count);
    // Answers the next `count` feature reads and fails the later ones; -1 answers all again.
    void AnswerOnlyReads(int count);
    void SetFirmwareVersion(int version);
    // Puts a key code into a second-family slot, as if an earlier run had written it.
    void PresetMacroSlot(int slot, std::uint8_t keyCode);
    void PresetFunctionSlot(int slot, std::uint8_t keyCode);

    // A copy of the decoded state.
    SimulatedKeyboardState State() const;
    // A copy of the report log, oldest first.
    std::vector<RecordedReport> Reports() const;
    void ClearReports();
    // Handles open on any of the keyboard's interfaces now.
    int OpenHandles() const { return openHandles_.load(); }
    // Times a transfer came to an interface while another one to it was still in progress.
    int OverlappingTransfers() const { return overlaps_.load(); }

    // Opens an interface of the keyboard by its index in Interfaces(); none, with the reason in
    // `error`, when the keyboard is unplugged or the interface refuses.
    std::unique_ptr<HidHandle> Open(size_t interfaceIndex, CString& error);

private:
    friend class SimulatedHidHandle;

    // Tracks a transfer in progress on one interface, counting overlaps.
    class InFlight {
    public:
        InFlight(SimulatedKeyboard& keyboard, size_t interfaceIndex);
        ~InFlight();
        InFlight(const InFlight&) = delete;
        InFlight& operator=(const InFlight&) = delete;

    private:
        std::atomic<int>& counter_;
    };

    int Write(size_t interfaceIndex, std::uint64_t generation, ReportKind kind,
              std::span<const std::uint8_t> report, CString& error);
    int Read(size_t interfaceIndex, std::uint64_t generation, std::span<std::uint8_t> report,
             CString& error);
    void Record(size_t interfaceIndex, ReportKind kind, std::span<const std::uint8_t> bytes,
                bool accepted);
    void Announce(DeviceChange change);
    void HandleClosed() { --openHandles_; }

    const SimulatedKeyboardIdentity identity_;
    const std::vector<HidInterfaceInfo> interfaces_;
    const std::shared_ptr<const Sleeper> clock_;
    std::unique_ptr<std::atomic<int>[]> inFlight_;
    std::atomic<int> openHandles_{0};
    std::atomic<int> overlaps_{0};

    mutable std::mutex lock_;
    KeyboardReportDecoder decoder_;
    std::deque<RecordedReport> reports_;
    bool plugged_;
    // Moves on at every unplugging; handles opened before are dead.
    std::uint64_t generation_ = 0;
    int failWrites_ = 0;
    int readsLeft_ = -1;
    DeviceChangeCallback callback_;
};
