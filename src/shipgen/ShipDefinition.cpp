// Placeholder translation unit; the ship data compiler's modules live here.
namespace kv::shipgen {}
