# The two commands of the README: `make run` and `make test`.
BUILD      ?= build
SAN_BUILD  ?= build-sanitize
FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 60
# The fuzzing time of the whole run, shared out evenly between the targets
# (at least 10 s each); by default five targets' worth of FUZZ_SECONDS.
FUZZ_BUDGET ?= $(shell echo $$(( $(FUZZ_SECONDS) * 5 )))
JOBS       ?= $(shell nproc)
CMAKE_GEN  := -G Ninja


.PHONY: deps configure build run test test-sanitize bench fuzz clean

deps:
	@bash scripts/install-deps.sh

$(BUILD)/build.ninja: | deps
	cmake -S . -B $(BUILD) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=RelWithDebInfo

configure: $(BUILD)/build.ninja

build: deps configure
	cmake --build $(BUILD) -j $(JOBS)

run: build
	$(BUILD)/app/correlation

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

test-sanitize: deps
	cmake -S . -B $(SAN_BUILD) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Debug -DPL_SANITIZE=ON
	cmake --build $(SAN_BUILD) -j $(JOBS)
	cd $(SAN_BUILD) && QT_QPA_PLATFORM=offscreen \
	  ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	  ctest --output-on-failure -j $(JOBS)

bench: build
	$(BUILD)/bench/benchmarks

fuzz: deps
	CC=clang CXX=clang++ cmake -S . -B $(FUZZ_BUILD) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPL_FUZZ=ON
	cmake --build $(FUZZ_BUILD) -j $(JOBS)
	@targets=$$(ls $(FUZZ_BUILD)/tests/fuzz/*Fuzz | wc -l); \
	seconds=$$(( $(FUZZ_BUDGET) / (targets > 0 ? targets : 1) )); [ $$seconds -ge 10 ] || seconds=10; \
	for f in $(FUZZ_BUILD)/tests/fuzz/*Fuzz; do \
	  [ -x "$$f" ] || continue; \
	  name=$$(basename $$f); corpus=tests/fuzz/corpus/$$name; mkdir -p $(FUZZ_BUILD)/corpus/$$name; \
	  echo "== $$name for $$seconds s"; \
	  QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=0 $$f -max_total_time=$$seconds -max_len=4096 \
	    $(FUZZ_BUILD)/corpus/$$name $$( [ -d $$corpus ] && echo $$corpus ) || exit 1; \
	done

clean:
	rm -rf $(BUILD) $(SAN_BUILD) $(FUZZ_BUILD)
