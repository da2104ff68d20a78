# The two commands a player or maintainer needs are `make run` and `make test`;
# the other targets are the configurations they are built from.

JOBS ?= $(shell nproc)
CMAKE_GEN := -G Ninja
BUILD := build

.PHONY: all deps run test test-asan release bench tsan fuzz clean

all: release

deps:
	@tools/install-deps.sh

# The release configuration, warnings as errors.
CONFIGURE_RELEASE := cmake -S . -B $(BUILD)/release $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Release -DVESK_WERROR=ON \
  -DVESK_TESTS=ON
# What playing needs: the program, the plug-in, the script compiler and the
# compiled sample story.
PLAY_TARGETS := vesk Wendrick script_compiler sample_scenario

# Release build of everything: the program, the plug-in, the tools and the tests.
release: deps
	$(CONFIGURE_RELEASE)
	cmake --build $(BUILD)/release -j $(JOBS)

# Builds what playing needs, no tests, and starts the game in a working folder that
# holds a copy of the sample data (the first start rewrites the copy's parameter
# files in place); the save files the game writes there stay from one run to the
# next (tools/run-game.sh).
run: deps
	$(CONFIGURE_RELEASE)
	cmake --build $(BUILD)/release -j $(JOBS) --target $(PLAY_TARGETS)
	tools/run-game.sh $(BUILD)/release $(BUILD)/run

# The release configuration must compile cleanly with warnings as errors; then the
# AddressSanitizer and UndefinedBehaviorSanitizer build runs every test binary once
# whole, and every test under CTest, one process each; last, its tree is walked.
test: release
	cmake -S . -B $(BUILD)/asan $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Debug -DVESK_SANITIZE=address,undefined
	cmake --build $(BUILD)/asan -j $(JOBS)
	tools/run-test-binaries.sh $(BUILD)/asan
	cd $(BUILD)/asan && ctest --output-on-failure -j $(JOBS) --timeout 300
	@# Starting the tests left no loop of links in the build tree: a walk that follows
	@# links ends (find fails on a loop).
	find -L $(BUILD)/asan > /dev/null

# Benchmarks run from the release build.
bench: deps
	cmake -S . -B $(BUILD)/release $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Release -DVESK_WERROR=ON -DVESK_BENCH=ON
	cmake --build $(BUILD)/release -j $(JOBS)
	tools/run-benchmarks.sh $(BUILD)/release

# Coverage-guided fuzzing of every reader of outside bytes: AFL++ over GCC's coverage
# instrumentation with AddressSanitizer and UndefinedBehaviorSanitizer, FUZZ_SECONDS per target, FUZZ_JOBS
# targets at once. Fails when any target finds a crash, a hang or a sanitizer report.
FUZZ_SECONDS ?= 60
FUZZ_JOBS ?= 3
fuzz: deps
	cmake -S . -B $(BUILD)/fuzz $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Debug -DVESK_FUZZ=ON \
	  -DVESK_SANITIZE=address,undefined
	tools/run-fuzzers.sh $(BUILD)/fuzz $(FUZZ_SECONDS) $(FUZZ_JOBS)

# ThreadSanitizer build of the tests labelled "threaded".
tsan: deps
	cmake -S . -B $(BUILD)/tsan $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Debug -DVESK_SANITIZE=thread
	cmake --build $(BUILD)/tsan -j $(JOBS)
	cd $(BUILD)/tsan && ctest --output-on-failure -j $(JOBS) -L threaded --no-tests=ignore

clean:
	rm -rf $(BUILD)
