#include "app/measuring/interleaved_rounds.h"

std::vector<TimedProgram> timeInRounds(const std::vector<ProgramToTime>& programs,
                                       const ProgramTimer& timer) {
    const ErasedAtEnd erase{timer.progress};
    std::vector<SectionSeries> series;
    for (const ProgramToTime& program : programs) {
        bindToTime(program, timer.progress);
        series.push_back(startSections(timer, true));
    }
    for (int round = 1;; ++round) {
        bool timedAny = false;
        for (std::size_t p = 0; p < programs.size(); ++p) {
            SectionSeries& sections = series[p];
            if (!sections.wantsMore()) continue;
            bindToTime(programs[p], timer.progress);
            // The total is open: a round is one section of each program.
            timer.progress.startSection(round, 0, sections.iterations());
            sections.add(timer.draw(sections.iterations()));
            timedAny = true;
        }
        if (!timedAny) break;
    }
    std::vector<TimedProgram> timings;
    for (const SectionSeries& sections : series) timings.push_back(sections.timed());
    return timings;
}
