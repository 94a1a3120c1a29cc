#pragma once
// The entries through which fuzzing and the corpus replay feed bytes to the
// readers of every file the program reads. Each takes the bytes as one kind
// of file, reads them as the program does and uses what was read. A damaged
// file may only end in a landora::Exception, which is caught here; anything
// else (another exception, a crash, a sanitizer report) leaves the entry and
// is a fault.
#include <cstddef>
#include <cstdint>

namespace landora::fuzz {

// An exercise catalogue and a text table (Ovning.crp, lang.crp).
void LoadAll(const std::uint8_t *data, std::size_t size);
// An area file (AREA<n>.crp), drawn as an area map of its first keys.
void LoadAreas(const std::uint8_t *data, std::size_t size);
// The lakes file (Vatten.crp), drawn as the lakes of a small area map.
void LoadLakes(const std::uint8_t *data, std::size_t size);
// A place file (Ort<n>.crp), drawn as a place map of its first keys.
void LoadPlaces(const std::uint8_t *data, std::size_t size);
// A sea point file (Hav<n>.crp), flooded on a small area map.
void LoadSeaPoints(const std::uint8_t *data, std::size_t size);
// The score file, read as the top-ten and top-list windows read it, with a
// result put in and the file written back.
void LoadScores(const std::uint8_t *data, std::size_t size);
// The settings store's INI file, read as the main menu reads it.
void LoadSettings(const std::uint8_t *data, std::size_t size);

using Entry = void (*)(const std::uint8_t *, std::size_t);

} // namespace landora::fuzz
