// The SDL2 backend's shared helpers.
namespace vorna {}
