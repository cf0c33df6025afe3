// record_program ID: makes the recorded run of a program that the suite's
// checks read (capture.h, recorded_run): key answers, the fixed clock, a
// 256 KiB stack, every frame kept as PNG when the program shows frames in
// the middle of a stage. Writes the run's status and stderr beside the
// capture's own files; ends with status 0 when the recording is complete.
#include <capture.h>
#include <program_list.h>

#include <cstdio>
#include <fstream>

int main(int argc, char** argv)
{
    std::string error;
    const std::vector<listed_program> list = read_program_list(program_list_path(), error);
    const listed_program* program = argc == 2 ? find_program(list, argv[1]) : nullptr;
    if (!program) {
        std::fprintf(stderr, "usage: record_program ID (an entry of %s) %s\n", program_list_path().c_str(),
                     error.c_str());
        return 2;
    }
    capture_options options;
    options.stack_kib = 256;
    options.frames = program->frame_ms > 0;
    options.out_dir = recorded_dir(program->id);
    const captured_run c = run_program(program->id, options);
    std::ofstream(c.out_dir + "/status.txt") << c.status << '\n';
    std::ofstream(c.out_dir + "/stderr.txt") << c.stderr_text;
    std::printf("%s: status %d, %zu stages, %zu frames\n", program->id.c_str(), c.status,
                c.stage_hashes.size(), c.frame_hashes.size());
    return c.status == 0 && !c.stage_hashes.empty() ? 0 : 1;
}
