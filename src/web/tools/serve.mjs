// Serves the built page on localhost until stopped.
// Usage: node serve.mjs SITE_FOLDER PORT
import { serveSite } from './serve_site.mjs';

const [site, port] = process.argv.slice(2);
const { url } = await serveSite(site, Number(port));
console.log(`The hand viewer is at ${url.replace('127.0.0.1', 'localhost')} (Ctrl+C stops serving).`);
