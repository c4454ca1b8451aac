qm_add_fuzzer(script LIBS qm_batch)
