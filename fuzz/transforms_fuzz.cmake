qm_add_fuzzer(transforms LIBS qm_renamer_core)
