# The two entry points: `make run` and `make test`. Each installs what is
# missing, configures and builds on its own.
JOBS ?= $(shell nproc)
ASAN_DIR := build/asan
TSAN_DIR := build/tsan
REL_DIR  := build/release

.PHONY: deps test test-asan test-tsan run cli bench clean

deps:
	@bash scripts/deps

test: test-asan test-tsan

test-asan: deps
	cmake -S . -B $(ASAN_DIR) -DCMAKE_BUILD_TYPE=Debug -DTONEGRAPH_SANITIZE=address-undefined
	cmake --build $(ASAN_DIR) -j$(JOBS)
	cd $(ASAN_DIR) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j$(JOBS)

# The threaded tests again under ThreadSanitizer; the window is left out.
test-tsan: deps
	cmake -S . -B $(TSAN_DIR) -DCMAKE_BUILD_TYPE=Debug -DTONEGRAPH_SANITIZE=thread -DTONEGRAPH_UI=OFF
	cmake --build $(TSAN_DIR) -j$(JOBS)
	cd $(TSAN_DIR) && ctest --output-on-failure -L threaded

$(REL_DIR)/CMakeCache.txt: | deps
	cmake -S . -B $(REL_DIR) -DCMAKE_BUILD_TYPE=Release

cli: deps $(REL_DIR)/CMakeCache.txt
	cmake --build $(REL_DIR) -j$(JOBS) --target tonegraph-cli

run: deps $(REL_DIR)/CMakeCache.txt
	cmake --build $(REL_DIR) -j$(JOBS) --target tonegraph
	$(REL_DIR)/ui/tonegraph --demo

bench: deps
	cmake -S . -B build/bench -DCMAKE_BUILD_TYPE=Release -DTONEGRAPH_BENCH=ON -DTONEGRAPH_TESTS=OFF
	cmake --build build/bench -j$(JOBS)
	@for b in build/bench/bench/bench_*; do [ -x "$$b" ] && "$$b"; done

clean:
	rm -rf build
