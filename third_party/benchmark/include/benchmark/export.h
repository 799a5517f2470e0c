// The export macros Google Benchmark's own build generates, for the static library built
// here: nothing is exported or hidden, and deprecation is the compiler's attribute.
#ifndef BENCHMARK_EXPORT_H
#define BENCHMARK_EXPORT_H

#define BENCHMARK_EXPORT
#define BENCHMARK_NO_EXPORT
#define BENCHMARK_DEPRECATED __attribute__((__deprecated__))
#define BENCHMARK_DEPRECATED_EXPORT BENCHMARK_EXPORT BENCHMARK_DEPRECATED
#define BENCHMARK_DEPRECATED_NO_EXPORT BENCHMARK_NO_EXPORT BENCHMARK_DEPRECATED

#endif /* BENCHMARK_EXPORT_H */
