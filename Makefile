# `make run` builds and starts Taufix; `make test` checks the formatting and that no file includes
# a header of a layer above its own, runs the fuzzers, the whole suite under AddressSanitizer and
# UndefinedBehaviorSanitizer, builds and checks the Debian package, and runs the whole suite in
# the normal build. Warnings are errors in every build.
BUILD_DIR ?= build
PACKAGE_DIR ?= build-package
BUILD_TYPE ?= RelWithDebInfo
FUZZ_SECONDS ?= 40
FUZZERS := fuzz_mask_compiler fuzz_new_names fuzz_counter_fields fuzz_batch_arguments fuzz_path_list fuzz_name_table
CMAKE_FLAGS ?=
CMAKE_FLAGS += -DTAUFIX_WERROR=ON
CTEST := QT_QPA_PLATFORM=offscreen ctest --output-on-failure
SOURCES = $(shell find src tests fuzz bench -name '*.cpp' -o -name '*.h')

.PHONY: deps configure build run test check suite format format-check layer-check sanitize fuzz \
	bench package package-check clean

deps:
	@scripts/install-deps

configure: deps
	@cmake -S . -B $(BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) $(CMAKE_FLAGS) >/dev/null

build: configure
	@cmake --build $(BUILD_DIR)

run: build
	@$(BUILD_DIR)/src/app/window/taufix $(ARGS)

# The fuzzers, the sanitizer suite and the package first, so that the plain suite's summary ends
# the output.
test: format-check layer-check fuzz sanitize package-check suite

# The fast tests of the layers below the window.
check: build
	@cd $(BUILD_DIR) && $(CTEST) -L core -j$$(nproc)

suite: build
	@cd $(BUILD_DIR) && $(CTEST)

format: deps
	@clang-format-14 -i $(SOURCES)

format-check: deps
	@clang-format-14 --dry-run --Werror $(SOURCES) \
		|| { echo "Nicht nach .clang-format formatiert; „make format“ richtet es."; exit 1; }

layer-check:
	@scripts/check-layers

sanitize: deps
	@cmake -S . -B build-sanitize -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTAUFIX_SANITIZE=ON \
		$(CMAKE_FLAGS) >/dev/null
	@cmake --build build-sanitize
	@cd build-sanitize && ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
		UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 $(CTEST)

fuzz: deps
	@cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
		-DCMAKE_CXX_COMPILER=clang++-14 -DTAUFIX_FUZZ=ON $(CMAKE_FLAGS) >/dev/null
	@cmake --build build-fuzz --target $(FUZZERS)
	@for fuzzer in $(FUZZERS); do \
		mkdir -p build-fuzz/corpus/$$fuzzer; \
		build-fuzz/fuzz/$$fuzzer -dict=fuzz/taufix.dict \
			-max_total_time=$(FUZZ_SECONDS) -print_final_stats=1 -artifact_prefix=build-fuzz/ \
			build-fuzz/corpus/$$fuzzer > build-fuzz/$$fuzzer.log 2>&1 \
			|| { tail -n 40 build-fuzz/$$fuzzer.log; exit 1; }; \
		echo "$$fuzzer: $$(grep -m1 -o 'stat::number_of_executed_units: *[0-9]*' \
			build-fuzz/$$fuzzer.log | grep -o '[0-9]*$$') Läufe in $(FUZZ_SECONDS) s ohne Befund"; \
	done

# A Release build for /usr with Debian's hardening flags, without the tests, packed by CPack; the
# dependencies are those dpkg-shlibdeps finds. No debug information: CPack strips the programs.
package: export DEB_BUILD_MAINT_OPTIONS = hardening=+all
package: export DEB_CXXFLAGS_MAINT_STRIP = -g
package: deps
	@cmake -S . -B $(PACKAGE_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
		-DTAUFIX_TESTS=OFF $(CMAKE_FLAGS) \
		-DCMAKE_CXX_FLAGS="$$(dpkg-buildflags --get CXXFLAGS) $$(dpkg-buildflags --get CPPFLAGS)" \
		-DCMAKE_EXE_LINKER_FLAGS="$$(dpkg-buildflags --get LDFLAGS)" >/dev/null
	@cmake --build $(PACKAGE_DIR)
	@cd $(PACKAGE_DIR) && { cpack -G DEB > cpack.log || { cat cpack.log; exit 1; }; } \
		&& tail -n1 cpack.log

package-check: package
	@scripts/check-package $(PACKAGE_DIR)

# The core and the window in Google Benchmark, then whole processes against the floor and the
# renamers Debian has (perl rename, mmv, util-linux rename), which it installs.
bench: deps
	@scripts/install-deps rename mmv
	@cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DTAUFIX_BENCHMARKS=ON \
		$(CMAKE_FLAGS) >/dev/null
	@cmake --build build-bench --target taufix_core_bench taufix_window_bench \
		taufix_window_million taufix_media_bench taufix-batch taufix_batch_phases
	@build-bench/bench/taufix_core_bench --benchmark_repetitions=5 \
		--benchmark_report_aggregates_only=true
	@build-bench/bench/taufix_window_bench --benchmark_repetitions=5 \
		--benchmark_report_aggregates_only=true
	@build-bench/bench/taufix_window_million
	@build-bench/bench/taufix_media_bench --benchmark_repetitions=3 \
		--benchmark_report_aggregates_only=true
	@bench/e2e.sh build-bench
	@bench/phases.sh build-bench
	@bench/link_window.sh build-bench
	@bench/rename_window.sh build-bench

clean:
	rm -rf $(BUILD_DIR) $(PACKAGE_DIR) build-sanitize build-fuzz build-bench
