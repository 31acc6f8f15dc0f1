#pragma once

#include <cstdint>

// The camera's video-control interface: carries class requests given as complete USB setup
// packets. Implementations map them onto whatever the platform offers (V4L2 controls on Linux,
// a model of the camera for virtual ones).
//
// Thread: any; each call is synchronous and ends within its time-out.
class UsbControlChannel {
public:
    struct Request {
        uint8_t bmRequestType = 0;
        uint8_t bRequest = 0;
        uint16_t wValue = 0;
        uint16_t wIndex = 0;
        uint16_t wLength = 0;
        void *data = nullptr; // wLength bytes: read for SET requests, filled for GET requests
        uint32_t timeoutMs = 100;
    };

    // Results of send(): 0 is success.
    enum Result : int {
        Ok = 0,
        Refused = -1,       // the device stalled the request: unknown control, wrong length...
        NotResponding = -2, // time-out or device gone
    };

    virtual ~UsbControlChannel() = default;
    virtual int send(const Request &request) = 0;
};
