// The one object through which the program finds, opens and addresses the keyboards of the
// device catalogue, and the transfers that carry the two report families to them.
//
// Locking. Three kinds of lock, always taken in this order and never the other way round:
//  1. refreshLock_ serialises OpenAll, CloseAll and Refresh among themselves, so two refreshes
//     never interleave their closing and opening.
//  2. state_ guards everything else the manager holds (opened flag, device list, match table,
//     current type, current and auxiliary device, backend and sleeper). It is held only for
//     short bookkeeping, never during I/O or a wait: enumeration and opening run outside it and
//     their result is published under it.
//  3. Each open interface (SharedHidDevice) has its own lock, held by one transfer at a time
//     for the whole transfer, including the waits between its own reports (the retry of a
//     failed write, the reads that answer a query), so two transfers to one device never
//     overlap and a query's replies belong to its request. Waits that come before a transfer's
//     first report (the 16 ms of SendFeatureDelayed) are made before taking it, and callers
//     make their waits between reports outside it, so a multi-report command lets a single
//     report of another thread in between its reports.
// The catalogue's mode list has a lock of its owner's; Refresh takes it alone, after refreshLock_
// and never together with state_.
// A transfer takes its target under state_ as a shared pointer and keeps it while it runs.
// CloseAll first takes the devices out of the list (so no new transfer finds them), then closes
// each one through its lock: it waits for a transfer in progress, closes the handle, and every
// later use of that object fails instead of touching a closed handle.
#pragma once

#include <chrono>
#include <cstdint>
#include <memory>
#include <mutex>
#include <span>
#include <vector>

#include "device/catalogue_record.h"
#include "device/device_list_view.h"
#include "device/device_refresh_result.h"
#include "device/hid_backend.h"
#include "device/hid_device_record.h"
#include "device/match_entry.h"
#include "device/shared_hid_device.h"
#include "device/sleeper.h"

class HidDeviceManager {
public:
    // The device type whose devices a refresh selects.
    static constexpr int kDefaultDeviceType = 201;
    // The usage page and usage of a keyboard's vendor interface.
    static constexpr std::uint16_t kVendorUsagePage = 0xFF01;
    static constexpr std::uint16_t kVendorUsage = 1;

    // The program-wide manager, created on first use with hidapi and real sleeps.
    static HidDeviceManager& Instance();

    HidDeviceManager(std::shared_ptr<HidBackend> backend, std::shared_ptr<Sleeper> sleeper);
    // Closes every device.
    ~HidDeviceManager();
    HidDeviceManager(const HidDeviceManager&) = delete;
    HidDeviceManager& operator=(const HidDeviceManager&) = delete;

    // Closes every device and speaks through `backend` from now on (--simulate).
    void SetBackend(std::shared_ptr<HidBackend> backend);
    void SetSleeper(std::shared_ptr<Sleeper> sleeper);
    // The sleeper of the protocol's waits, for the commands that wait between reports.
    std::shared_ptr<Sleeper> GetSleeper() const;

    // Appends to the match table, in catalogue order; entries are never removed.
    void AddMatchEntry(const MatchEntry& entry);

    // Opens every catalogued interface with the vendor usage page and usage: interface 3
    // becomes the auxiliary device, every other one a device record. Sets the opened flag.
    void OpenAll();
    // Forgets the current device, closes every record and the auxiliary device.
    void CloseAll();
    bool IsOpened() const;

    // True at the first match entry with these ids whose product name is empty or equal to
    // `product` exactly.
    bool IsCatalogued(std::uint16_t vendorId, std::uint16_t productId,
                      const CString& product) const;
    // With current type 0 all records, else those of the current type, in list order. False
    // when the device list is empty.
    bool CollectDevices(std::vector<HidDeviceRecord>& records) const;
    // The index of the first record with these ids and connection mode whose product string is
    // `product` (any when empty); -1 when none.
    int FindDevice(int vendorId, int productId, const CString& product, int connectionMode) const;
    // Among the records of the current type the first in cable mode, else mode 1, else mode 2;
    // cached until forgotten. None when nothing fits.
    std::shared_ptr<SharedHidDevice> CurrentDevice();
    std::shared_ptr<SharedHidDevice> AuxiliaryDevice() const;
    // Among the records of the current type: 0 if any is in cable mode, else 2, else 1, else -1.
    int GetConnectionMode() const;

    int CurrentType() const;
    void SetCurrentType(int deviceType);
    void ForgetCurrentDevice();

    // Closes and reopens every device, tells the list which catalogued keyboards are connected
    // and marks each record of `modes` connected exactly when one of its interfaces is open,
    // holding `modesLock` (and none of its own locks) while it touches the marks. Leaves the
    // default device type current.
    DeviceRefreshResult Refresh(std::vector<CatalogueRecord>& modes, std::mutex& modesLock,
                                DeviceListView& list);

    // The transfers. Each fails at once, without waiting, when the manager is not opened or
    // has no target device.

    // 65 bytes to the current device, byte 0 the report id 0; one retry after 10 ms when the
    // write fails. True when the last write wrote something.
    bool SendOutputReport(std::span<const std::uint8_t, 65> report);
    // As SendOutputReport, to the auxiliary device.
    bool SendAuxOutputReport(std::span<const std::uint8_t, 65> report);
    // Report id 0 and the 64 bytes to the current device; one retry after 32 ms.
    bool SendPayload64(std::span<const std::uint8_t, 64> payload);
    // Waits 16 ms, then sends the feature report. True when it was sent.
    bool SendFeatureDelayed(std::span<const std::uint8_t, 8> report);
    // Sends the feature report at once. True when it was sent.
    bool SendFeature(std::span<const std::uint8_t, 8> report);
    // Sends the request in the first 8 bytes of `buffer` (07 FB 01 and zeros), then reads four
    // replies 16 ms apart, putting bytes 1 to 7 of reply k at 7·k; a reply that fails leaves
    // those bytes as they were. False only without a target or with a buffer under 28 bytes.
    bool ReadSlotTable(std::span<std::uint8_t> buffer);
    // Asks for the firmware version (07 FD) and reads it as reply byte 1 · 256 + byte 2, with
    // one more read when the first reply is not report 7. False when the request cannot be
    // sent or no reply of report 7 comes back.
    bool ReadFirmwareVersion(int& version);
    // The last error text of the current device (or of the backend when there is none).
    CString LastError();

private:
    struct Target {
        std::shared_ptr<SharedHidDevice> device;
        std::shared_ptr<Sleeper> sleeper;
    };

    void OpenAllLocked();
    void CloseAllLocked();
    std::shared_ptr<SharedHidDevice> CurrentDeviceLocked();
    bool IsCataloguedLocked(std::uint16_t vendorId, std::uint16_t productId,
                            const CString& product) const;
    int GetConnectionModeLocked() const;
    // The current device and the sleeper, or no device when not opened.
    Target CurrentTarget();
    Target AuxiliaryTarget();
    static bool WriteWithRetry(const Target& target, std::span<const std::uint8_t> report,
                               std::chrono::milliseconds retryWait);

    std::mutex refreshLock_;
    mutable std::mutex state_;
    std::shared_ptr<HidBackend> backend_;
    std::shared_ptr<Sleeper> sleeper_;
    int opened_ = 0;
    std::vector<HidDeviceRecord> devices_;
    std::vector<MatchEntry> matchTable_;
    int currentType_ = 0;
    std::shared_ptr<SharedHidDevice> currentDevice_;
    std::shared_ptr<SharedHidDevice> auxiliaryDevice_;
};
