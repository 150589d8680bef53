// The headless backend: virtual time, recorded requests, no window and no audio device.
namespace vorna {}
