# The two entry points: `make run` and `make test`. Each installs what is
# missing, configures and builds on its own. Running needs fewer packages
# than developing: `make run` and `make cli` install only those.
JOBS ?= $(shell nproc)
ASAN_DIR := build/asan
TSAN_DIR := build/tsan
REL_DIR  := build/release

# The one version, from CMake's project().
VERSION := $(shell sed -n 's/^project(Tonegraph VERSION \([0-9.]*\) .*)$$/\1/p' CMakeLists.txt)

.PHONY: deps deps-run deps-package package install test test-asan test-tsan test-fuzz fuzz fuzz-build run cli bench clean

deps:
	@bash scripts/deps dev

deps-run:
	@bash scripts/deps run

deps-package:
	@bash scripts/deps package

test: test-asan test-tsan test-fuzz

# The benchmarks are built here too, not run, so code only they use cannot
# rot; they share this tree's libraries, so it costs their own sources only.
test-asan: deps
	cmake -S . -B $(ASAN_DIR) -DCMAKE_BUILD_TYPE=Debug -DTONEGRAPH_SANITIZE=address-undefined -DTONEGRAPH_BENCH=ON
	cmake --build $(ASAN_DIR) -j$(JOBS)
	cd $(ASAN_DIR) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j$(JOBS)

# The threaded tests again under ThreadSanitizer; the window is left out.
test-tsan: deps
	cmake -S . -B $(TSAN_DIR) -DCMAKE_BUILD_TYPE=Debug -DTONEGRAPH_SANITIZE=thread -DTONEGRAPH_UI=OFF
	cmake --build $(TSAN_DIR) -j$(JOBS)
	cd $(TSAN_DIR) && ctest --output-on-failure -L threaded

# The fuzz targets, built with clang and libFuzzer.
FUZZ_DIR := build/fuzz
FUZZ_TARGETS := fuzz_snapshot_file:filer fuzz_configuration_file:filer fuzz_captured_text:router fuzz_telnet_parser:telnet \
                fuzz_router_replies:dialogue fuzz_bins_line:bins fuzz_cli_values:values
FUZZ_SECONDS ?= 60

fuzz-build: deps
	cmake -S . -B $(FUZZ_DIR) -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_COMPILER=clang++ -DTONEGRAPH_SANITIZE=fuzzer \
	  -DTONEGRAPH_FUZZ=ON -DTONEGRAPH_UI=OFF -DTONEGRAPH_TESTS=OFF
	cmake --build $(FUZZ_DIR) -j$(JOBS) --target $(foreach t,$(FUZZ_TARGETS),$(firstword $(subst :, ,$(t))))

# Every target once over its corpus in the repository: a regression run.
test-fuzz: fuzz-build
	cd $(FUZZ_DIR) && ctest --output-on-failure -L fuzz

# Each target for FUZZ_SECONDS, growing a corpus of its own under build/;
# what it finds is written there as crash-*, to be added to fuzz/corpus.
fuzz: fuzz-build
	@for t in $(FUZZ_TARGETS); do n=$${t%%:*}; d=$${t##*:}; mkdir -p $(FUZZ_DIR)/corpus/$$n; \
	  echo "== $$n ($(FUZZ_SECONDS) s)"; \
	  $(FUZZ_DIR)/fuzz/$$n -max_total_time=$(FUZZ_SECONDS) -dict=fuzz/$$d.dict \
	    -artifact_prefix=$(FUZZ_DIR)/$$n- $(FUZZ_DIR)/corpus/$$n fuzz/corpus/$$n || exit 1; done

$(REL_DIR)/CMakeCache.txt: | deps-run
	cmake -S . -B $(REL_DIR) -DCMAKE_BUILD_TYPE=Release -DTONEGRAPH_TESTS=OFF

cli: deps-run $(REL_DIR)/CMakeCache.txt
	cmake --build $(REL_DIR) -j$(JOBS) --target tonegraph-cli

run: deps-run $(REL_DIR)/CMakeCache.txt
	cmake --build $(REL_DIR) -j$(JOBS) --target tonegraph
	$(REL_DIR)/ui/tonegraph --demo

bench: deps
	cmake -S . -B build/bench -DCMAKE_BUILD_TYPE=Release -DTONEGRAPH_BENCH=ON -DTONEGRAPH_TESTS=OFF
	cmake --build build/bench -j$(JOBS)
	@for b in build/bench/bench/bench_*; do [ -x "$$b" ] && "$$b"; done

# The programs and what a desktop needs of them under PREFIX, staged under
# DESTDIR when that is given: make install PREFIX=/usr DESTDIR=/tmp/stage
PREFIX ?= /usr/local
install: deps-run
	cmake -S . -B $(REL_DIR) -DCMAKE_BUILD_TYPE=Release -DTONEGRAPH_TESTS=OFF -DCMAKE_INSTALL_PREFIX=$(PREFIX)
	cmake --build $(REL_DIR) -j$(JOBS)
	DESTDIR="$(DESTDIR)" cmake --install $(REL_DIR)

# A Debian package of the programs, built out of this tree into build/ and
# checked by lintian. Its sources must agree with the tree's version and set-up.
package: deps-package
	bash tests/packaging/package_sources.sh . $(VERSION)
	@# Without its stamp debhelper builds again, incrementally in build/deb-build.
	rm -f debian/debhelper-build-stamp
	DEB_BUILD_OPTIONS="parallel=$(JOBS) $(DEB_BUILD_OPTIONS)" fakeroot debian/rules binary
	lintian --fail-on error,warning build/tonegraph_$(VERSION)_*.deb
	@ls -l build/tonegraph_$(VERSION)_*.deb

clean:
	rm -rf build
