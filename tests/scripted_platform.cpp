#include "tests/scripted_platform.h"

#include <algorithm>
#include <cstring>

#include "console/runtime.h"
#include "console/stream.h"

namespace scripted {

Script script;

void start(Script s)
{
    script = std::move(s);
    con::startup();
}

std::string unread()
{
    const con::Stream& in = con::input;
    std::string rest(reinterpret_cast<const char*>(in.buffer) + in.position,
                     static_cast<std::size_t>(std::max(0, in.count - in.position)));
    return rest + script.input;
}

}  // namespace scripted

namespace con::platform {

using scripted::script;

enum : Handle { in = 0, out = 1, err = 2 };

Handle standard_handle(Standard which) { return static_cast<Handle>(which); }

Kind kind(Handle h)
{
    if (h != in) return script.output_is_device ? Kind::character_device : Kind::file;
    ++script.kind_queries;
    return script.input_kind;
}

Transfer read(Handle, std::uint8_t* buf, std::int32_t size)
{
    ++script.reads;
    auto room = static_cast<std::size_t>(std::min(size, script.chunk));
    if (script.delivered < script.filler_bytes && !script.filler.empty()) {
        // From the repeated filler: as far as its end, or as far as room allows.
        std::size_t at = script.delivered % script.filler.size();
        std::size_t n = std::min({room, script.filler.size() - at,
                                  static_cast<std::size_t>(script.filler_bytes - script.delivered)});
        if (script.input_kind == Kind::character_device) {
            auto lf = script.filler.find('\n', at);
            if (lf != std::string::npos) n = std::min(n, lf + 1 - at);
        }
        std::memcpy(buf, script.filler.data() + at, n);
        script.delivered += n;
        return {static_cast<std::int32_t>(n), 0};
    }
    if (script.input.empty()) return {0, script.read_error};
    std::size_t n = std::min(script.input.size(), room);
    if (script.input_kind == Kind::character_device) {
        auto lf = script.input.find('\n');
        if (lf != std::string::npos) n = std::min(n, lf + 1);
    }
    std::memcpy(buf, script.input.data(), n);
    script.input.erase(0, n);
    script.delivered += n;
    return {static_cast<std::int32_t>(n), 0};
}

Transfer write(Handle, const std::uint8_t* buf, std::int32_t size)
{
    script.writes.push_back(size);
    if (buf == con::output.buffer || buf == con::report_stream.buffer) ++script.write_outs;
    auto room = script.fail_after > script.output.size() ? script.fail_after - script.output.size() : 0;
    if (room == 0) return {0, script.write_error};
    auto n = std::min<std::size_t>({static_cast<std::size_t>(size), room,
                                    static_cast<std::size_t>(script.write_limit)});
    script.output.append(reinterpret_cast<const char*>(buf), n);
    return {static_cast<std::int32_t>(n), 0};
}

std::uint32_t report_address(std::uintptr_t code) { return static_cast<std::uint32_t>(code); }

void install_fault_handler() {}
void remove_fault_handler() {}

void exit_process(std::uint32_t code) { throw scripted::Exit{code}; }

}  // namespace con::platform
