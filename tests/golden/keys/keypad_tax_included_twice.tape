 
BASE 1,000  　　 ‥
…TAX 80  　　 ‥
