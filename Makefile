# The two commands of the README: `make run` and `make test`.
BUILD      ?= build
SAN_BUILD  ?= build-sanitize
FUZZ_BUILD ?= build-fuzz
TSAN_BUILD ?= build-tsan
# One time budget shared by every fuzz target by its weight in
# tests/fuzz/weights, so adding a target does not lengthen CI.
FUZZ_BUDGET ?= 300
JOBS       ?= $(shell nproc)
CMAKE_GEN  := -G Ninja


.PHONY: deps configure build program run test test-sanitize test-thread bench fuzz clean random-input

deps:
	@bash scripts/install-deps.sh

$(BUILD)/build.ninja: | deps
	cmake -S . -B $(BUILD) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=RelWithDebInfo

configure: $(BUILD)/build.ninja

# Everything: the program, the tests and the benchmarks.
build: deps configure
	cmake --build $(BUILD) -j $(JOBS)

# The program and what it links, nothing else.
program: deps configure
	cmake --build $(BUILD) -j $(JOBS) --target correlation

run: program
	$(BUILD)/app/correlation

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

test-sanitize: deps
	cmake -S . -B $(SAN_BUILD) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Debug -DPL_SANITIZE=ON
	cmake --build $(SAN_BUILD) -j $(JOBS)
	cd $(SAN_BUILD) && QT_QPA_PLATFORM=offscreen \
	  ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	  ctest --output-on-failure -j $(JOBS)

# A minute of random mouse and keys on the program of the sanitizer build,
# under a virtual display; SEED=n repeats a run.
random-input: deps
	cmake -S . -B $(SAN_BUILD) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Debug -DPL_SANITIZE=ON
	cmake --build $(SAN_BUILD) -j $(JOBS) --target correlation
	python3 scripts/random-input.py --program $(SAN_BUILD)/app/correlation $(if $(SEED),--seed $(SEED))

# The OPC link's worker-thread tests under ThreadSanitizer.
test-thread: deps
	cmake -S . -B $(TSAN_BUILD) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Debug -DPL_TSAN=ON
	cmake --build $(TSAN_BUILD) -j $(JOBS) --target foundation_tests plot_tests fake_opc fake_opc_partial
	QT_QPA_PLATFORM=offscreen TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1 \
	  $(TSAN_BUILD)/tests/foundation_tests --gtest_filter='OPC*'
	QT_QPA_PLATFORM=offscreen TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1 \
	  $(TSAN_BUILD)/tests/plot_tests --gtest_filter='ChannelOPC*'

bench: build
	$(BUILD)/bench/benchmarks

fuzz: deps
	CC=clang CXX=clang++ cmake -S . -B $(FUZZ_BUILD) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPL_FUZZ=ON
	cmake --build $(FUZZ_BUILD) -j $(JOBS)
	bash scripts/fuzz.sh $(FUZZ_BUILD) $(FUZZ_BUDGET)

clean:
	rm -rf $(BUILD) $(SAN_BUILD) $(FUZZ_BUILD) $(TSAN_BUILD)
